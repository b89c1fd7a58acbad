#pragma once

#include <QObject>
#include <functional>

#include "common/form_request.h"

// Window requests on the Qt event queue: a posted request runs once the current handler has
// returned (or when a transfer delivers pending events), a sent one at once.
class QtFormRequestQueue : public FormRequestSink {
 public:
  explicit QtFormRequestQueue(std::function<void(const FormRequest&)> handler)
      : handler_(std::move(handler)) {}

  void Post(const FormRequest& request) override;
  void Send(const FormRequest& request) override;

 private:
  std::function<void(const FormRequest&)> handler_;
  QObject context_;  // queued requests die with the queue
};
