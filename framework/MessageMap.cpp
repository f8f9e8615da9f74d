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

const MessageMapEntry* FindMessageMapEntry(const MessageMap* map, const MessageKey& key) {
  for (; map != nullptr; map = map->base) {
    for (size_t i = 0; i < map->count; ++i) {
      const MessageMapEntry& entry = map->entries[i];
      if (entry.key.message == key.message && entry.key.code == key.code &&
          entry.key.id == key.id) {
        return &entry;
      }
    }
  }
  return nullptr;
}
