#pragma once

#include <vector>

#include "common/form_request.h"

// Keeps every request a window hands to the form, in order; `sent` counts the synchronous ones.
class RecordingSink : public FormRequestSink {
 public:
  void Post(const FormRequest& r) override { posted.push_back(r); }
  void Send(const FormRequest& r) override {
    posted.push_back(r);
    ++sent;
  }
  std::vector<FormRequest> posted;
  int sent = 0;
};
