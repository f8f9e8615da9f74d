// A message map: static data that says which member function handles which
// window message. Entries are keyed on exactly (message, notification code,
// control id); a dispatcher searches a class's map, then its base class's.
#pragma once

#include <windows.h>

#include <cstddef>

class CDC;
class CWnd;

// The old single control-colour message. Every WM_CTLCOLOR* query is looked
// up under this number, with the kind of control (CTLCOLOR_*) passed along.
constexpr UINT WM_CTLCOLOR = 0x0019;

struct Message {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// What a map is searched for: a command's notification code and control id,
// zero for every other message.
struct MessageKey {
  UINT message;
  UINT code;
  UINT id;
};

MessageKey KeyOf(const Message& message);

// One map entry: the key and the handler, called on the object whose map
// holds it. Target is the root of the classes whose maps hold the entry: CWnd
// for windows, CWinApp for the application.
template <typename Target>
struct MessageMapEntryOf {
  MessageKey key;
  LRESULT (*handler)(Target& target, const Message& message);
};

template <typename Target>
struct MessageMapOf {
  const MessageMapOf* base;  // null for the root of the class tree
  const MessageMapEntryOf<Target>* entries;
  size_t count;
};

// The first entry for key in map or, failing that, in its bases; null when
// no class on the way handles it.
template <typename Target>
const MessageMapEntryOf<Target>* FindMessageMapEntry(const MessageMapOf<Target>* map,
                                                     const MessageKey& key) {
  for (; map != nullptr; map = map->base) {
    for (size_t i = 0; i < map->count; ++i) {
      const MessageMapEntryOf<Target>& entry = map->entries[i];
      if (entry.key.message == key.message && entry.key.code == key.code &&
          entry.key.id == key.id) {
        return &entry;
      }
    }
  }
  return nullptr;
}

// Calls the handler that target's map gives for message; false when there is
// none, and *result is then left alone.
template <typename Target>
bool DispatchMessageMap(Target& target, const Message& message, LRESULT* result) {
  const auto* entry = FindMessageMapEntry(target.GetMessageMap(), KeyOf(message));
  if (entry == nullptr) return false;
  *result = entry->handler(target, message);
  return true;
}

// How each kind of handler is called. The handler's class is taken from the
// member pointer; a map is only ever searched for an object of its own class
// (or a class derived from it), which makes the downcast sound.
namespace message_map_detail {

template <typename Member>
struct ClassOf;
template <typename T, typename R, typename... Args>
struct ClassOf<R (T::*)(Args...)> {
  using type = T;
};

template <auto Handler>
using HandlerClass = typename ClassOf<decltype(Handler)>::type;
// The root whose maps hold the handler's entries; each root names itself.
template <auto Handler>
using TargetOf = typename HandlerClass<Handler>::MessageMapTarget;

template <typename T>
LRESULT Call(T& target, void (T::*handler)(), const Message&) {
  (target.*handler)();
  return 0;
}

template <typename T>
LRESULT Call(T& target, void (T::*handler)(UINT_PTR), const Message& message) {
  (target.*handler)(message.wParam);  // WM_TIMER: the timer's id
  return 0;
}

template <typename T>
LRESULT Call(T& target, HCURSOR (T::*handler)(), const Message&) {
  return reinterpret_cast<LRESULT>((target.*handler)());
}

// Defined in Wnd.h, where the device-context and window classes it lends
// to the handler are complete.
template <typename T>
LRESULT Call(T& target, HBRUSH (T::*handler)(CDC*, CWnd*, UINT), const Message& message);

template <auto Handler>
LRESULT Invoke(TargetOf<Handler>& target, const Message& message) {
  using T = HandlerClass<Handler>;
  return Call<T>(static_cast<T&>(target), Handler, message);
}

template <auto Handler>
using EntryOf = MessageMapEntryOf<TargetOf<Handler>>;

}  // namespace message_map_detail

// A window message other than a command, e.g. MessageEntry<WM_PAINT, &C::OnPaint>().
template <UINT Msg, auto Handler>
constexpr message_map_detail::EntryOf<Handler> MessageEntry() {
  return {{Msg, 0, 0}, &message_map_detail::Invoke<Handler>};
}

// A WM_COMMAND with exactly this notification code from exactly this control.
template <auto Handler>
constexpr message_map_detail::EntryOf<Handler> CommandEntry(UINT code, UINT id) {
  return {{WM_COMMAND, code, id}, &message_map_detail::Invoke<Handler>};
}

// Every control-colour query, handled as HBRUSH OnCtlColor(CDC*, CWnd*, UINT kind).
template <auto Handler>
constexpr message_map_detail::EntryOf<Handler> CtlColorEntry() {
  return MessageEntry<WM_CTLCOLOR, Handler>();
}

// The maps of windows, which every dialog class declares.
using MessageMapEntry = MessageMapEntryOf<CWnd>;
using MessageMap = MessageMapOf<CWnd>;
