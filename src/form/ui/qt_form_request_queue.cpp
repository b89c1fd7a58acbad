#include "form/ui/qt_form_request_queue.h"

#include <QMetaObject>

void QtFormRequestQueue::Post(const FormRequest& request) {
  QMetaObject::invokeMethod(
      &context_,
      [this, request] {
        if (handler_) handler_(request);
      },
      Qt::QueuedConnection);
}

void QtFormRequestQueue::Send(const FormRequest& request) {
  if (handler_) handler_(request);
}
