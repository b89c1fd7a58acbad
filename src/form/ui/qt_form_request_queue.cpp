#include "form/ui/qt_form_request_queue.h"

#include <QMetaObject>

#include "platform/qt_message_pump.h"

void QtFormRequestQueue::Post(const FormRequest& request) {
  QMetaObject::invokeMethod(
      &context_,
      [this, request] {
        // A bulk transfer letting the windows paint: the request waits for its end.
        if (QtMessagePump::PaintingOnly()) return Post(request);
        if (handler_) handler_(request);
      },
      Qt::QueuedConnection);
}

void QtFormRequestQueue::Send(const FormRequest& request) {
  if (handler_) handler_(request);
}
