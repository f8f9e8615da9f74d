#include "MessageMap.h"

MessageKey KeyOf(const Message& message) {
  if (message.message == WM_COMMAND) {
    return {WM_COMMAND, HIWORD(message.wParam), LOWORD(message.wParam)};
  }
  if (message.message >= WM_CTLCOLORMSGBOX && message.message <= WM_CTLCOLORSTATIC) {
    return {WM_CTLCOLOR, 0, 0};
  }
  return {message.message, 0, 0};
}
