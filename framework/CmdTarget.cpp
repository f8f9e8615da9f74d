#include "CmdTarget.h"

const MessageMap CCmdTarget::messageMap = {nullptr, nullptr, 0};

const MessageMap* CCmdTarget::GetMessageMap() const { return &messageMap; }

bool CCmdTarget::DispatchMessageMap(const Message& message, LRESULT* result) {
  const MessageMapEntry* entry = FindMessageMapEntry(GetMessageMap(), KeyOf(message));
  if (entry == nullptr) return false;
  *result = entry->handler(*this, message);
  return true;
}
