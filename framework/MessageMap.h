// A message map: static data that says which member function handles which
// window message. Entries are keyed on exactly (message, notification code,
// control id); a dispatcher searches a class's map, then its base class's.
#pragma once

#include <windows.h>

#include <cstddef>

class CCmdTarget;
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

using MessageHandler = LRESULT (*)(CCmdTarget& target, const Message& message);

struct MessageMapEntry {
  MessageKey key;
  MessageHandler handler;
};

struct MessageMap {
  const MessageMap* base;  // null for the root of the class tree
  const MessageMapEntry* entries;
  size_t count;
};

// The first entry for key in map or, failing that, in its bases; null when
// no class on the way handles it.
const MessageMapEntry* FindMessageMapEntry(const MessageMap* map, const MessageKey& key);

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
LRESULT Invoke(CCmdTarget& target, const Message& message) {
  using T = typename ClassOf<decltype(Handler)>::type;
  return Call<T>(static_cast<T&>(target), Handler, message);
}

}  // namespace message_map_detail

// A window message other than a command, e.g. MessageEntry<WM_PAINT, &C::OnPaint>().
template <UINT Msg, auto Handler>
constexpr MessageMapEntry MessageEntry() {
  return {{Msg, 0, 0}, &message_map_detail::Invoke<Handler>};
}

// A WM_COMMAND with exactly this notification code from exactly this control.
template <auto Handler>
constexpr MessageMapEntry CommandEntry(UINT code, UINT id) {
  return {{WM_COMMAND, code, id}, &message_map_detail::Invoke<Handler>};
}

// Every control-colour query, handled as HBRUSH OnCtlColor(CDC*, CWnd*, UINT kind).
template <auto Handler>
constexpr MessageMapEntry CtlColorEntry() {
  return MessageEntry<WM_CTLCOLOR, Handler>();
}
