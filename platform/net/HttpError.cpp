#include "platform/net/HttpError.h"

namespace platform::net {

HttpError HttpError::make(HttpErrorKind kind, int code, std::string description, int status) {
  HttpError e;
  e.kind = kind;
  e.code = code;
  e.status = status;
  e.description = std::move(description);
  return e;
}

const char* kindName(HttpErrorKind kind) {
  switch (kind) {
    case HttpErrorKind::NoConnection: return "no connection";
    case HttpErrorKind::TimedOut: return "timed out";
    case HttpErrorKind::BadStatus: return "bad status";
    case HttpErrorKind::Cancelled: return "cancelled";
    case HttpErrorKind::NotJson: return "not JSON";
    case HttpErrorKind::Other: return "other";
  }
  return "other";
}

}  // namespace platform::net
