// A sample for the mutation tool's self-check: if (a < b) { Call(1, 2); }
#include "Sample.h"

static_assert(sizeof(int) == 4, "int");
const int kTable[2] = {7, FLAG_A | FLAG_B};

class Box {
 public:
  explicit Box(int size) : m_size(size) {}
  int Size() const { return m_size; }

 private:
  int m_size = 0;
};

int Clamp(int value, int limit) {
  if (value > limit) return limit;
  Log("a; b { 3 }", value);
  const int twice = value * 2;
  Guard guard(value);
  Notify(twice, FLAG_A | FLAG_B);
  Count();
  return twice;
}

void Drain(int& value, bool force) {
  while (value != 0 && value <= 0x1F) --value;
  auto done = [&] { return force; };
  if (!done()) Reset(true);
}
