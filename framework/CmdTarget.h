// The root of every class that handles messages through a message map.
#pragma once

#include "MessageMap.h"

class CCmdTarget {
 public:
  CCmdTarget() = default;
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;
  virtual ~CCmdTarget() = default;

  virtual const MessageMap* GetMessageMap() const;

  // Calls the handler that this object's map gives for message; false when
  // there is none, and *result is then left alone.
  bool DispatchMessageMap(const Message& message, LRESULT* result);

  static const MessageMap messageMap;  // empty: the end of every chain
};
