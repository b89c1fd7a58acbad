#pragma once

#include "document/setup_document.h"

// One function window as the form's window set drives it: the object lives for the whole
// program and holds the window's copy of the data; the window on screen comes and goes.
class FunctionWindowObject {
 public:
  virtual ~FunctionWindowObject() = default;
  virtual void Load(const SetupDocument& workingCopy) = 0;
  virtual void Open(bool offline) = 0;
  virtual bool IsOpen() const = 0;
  virtual void Close() = 0;
  virtual void SetOffline(bool offline) = 0;
  virtual void Refresh() = 0;
  virtual const SetupDocument& Data() const = 0;
  virtual int SelectedGroup() const = 0;
  virtual int SelectedSide() const = 0;
};

// A window that is not built (yet): it keeps what it is loaded with and never opens, so the
// form's button does what it does without a window.
class DataOnlyWindow : public FunctionWindowObject {
 public:
  void Load(const SetupDocument& workingCopy) override { data_ = workingCopy; }
  void Open(bool) override {}
  bool IsOpen() const override { return false; }
  void Close() override {}
  void SetOffline(bool) override {}
  void Refresh() override {}
  const SetupDocument& Data() const override { return data_; }
  int SelectedGroup() const override { return 0; }
  int SelectedSide() const override { return 0; }

 private:
  SetupDocument data_;
};
