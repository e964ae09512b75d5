// Asks for one student's first name, last name and tuition amount, then
// writes two records: the default one and the one typed.
#include <iostream>
#include <new>

#include "amount/reader.h"
#include "app/dialogue.h"

int main() {
  // Unsynchronised standard streams keep buffers of their own, so a long name
  // is read and written in blocks instead of one C stdio call per character.
  // std::cin stays tied to std::cout, so every prompt is flushed to the
  // console before the program waits for its answer.
  std::ios_base::sync_with_stdio(false);

  try {
    // Every standard library then reads the amount by the same rule, in one
    // pass and in constant memory.
    std::cin.imbue(amount::WithReader(std::cin.getloc()));
    return dialogue::Converse(std::cin, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    // A name too long to hold, copy or write. std::cerr is tied to std::cout,
    // so what was written before reaches standard output first.
    std::cerr << "student-dialogue: out of memory\n";
    return 1;
  }
}
