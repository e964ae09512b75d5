// Asks for one student's first name, last name and tuition amount, then
// writes two records: the default one and the one typed.
#include <iostream>
#include <istream>
#include <new>
#include <ostream>
#include <string>

#include "amount_reader.h"
#include "student.h"

namespace {

// Runs one extraction from `in`. Extractions catch whatever goes wrong inside
// them, set badbit and keep what they had read so far, so running out of
// memory would pass for a shortened line. With badbit in the exception mask
// they rethrow instead: std::bad_alloc goes on to the caller, while a read
// error ends the input just as end of file does. The mask can only be set
// while the stream is not bad yet (setting it on a bad stream throws).
template <typename Extraction>
void Extract(std::istream& in, Extraction extraction) {
  if (in.bad()) return;
  in.exceptions(std::ios_base::badbit);
  try {
    extraction();
  } catch (const std::ios_base::failure&) {
    // The stream stays bad, so every later read fails as at end of input.
  }
  in.exceptions(std::ios_base::goodbit);
}

// Reads one whole line, spaces included, into `line`; the line end is
// consumed and not stored. A carriage return right before the line feed is
// part of a CR LF line end, as in files prepared on Windows, so it is dropped
// too. Nothing else in the line is changed.
void ReadLine(std::istream& in, std::string& line) {
  Extract(in, [&] {
    if (std::getline(in, line) && !in.eof() && !line.empty() &&
        line.back() == '\r') {
      line.pop_back();
    }
  });
}

// Writes one record as three bracketed values with their labels. Each name
// is written in a statement of its own, so that only one returned copy of a
// long name is alive at a time.
void WriteReport(std::ostream& out, const Student& student, const char* leadIn,
                 const char* closing) {
  out << leadIn;
  out << student.getFName();
  out << "]-First Name\n[";
  out << student.getLName();
  out << "]-Last Name\n[";
  out << student.getTuition();
  out << closing;
}

// The dialogue itself; returns the exit status.
int Converse() {
  Student St1;
  std::string uFName;
  std::string uLName;
  float uFloat = 0.0F;  // the balance when no number can be read

  std::cout << "Please enter a first name: ";
  ReadLine(std::cin, uFName);
  std::cout << "Please enter a last name: ";
  ReadLine(std::cin, uLName);
  std::cout << "Please enter a tuition amount: ";
  // A failed read is not an error: the balance shows it. std::cin reads
  // floats with the amount reader.
  Extract(std::cin, [&] { std::cin >> uFloat; });

  Student St2(uFName, uLName, uFloat);

  WriteReport(std::cout, St1, "\nStudent 1 holds: [", "]-Tuition Balance\n");
  WriteReport(std::cout, St2, "\nStudent 2 holds: [", "]-Tuition Balance\n\n");

  // Output that never reached its destination must not pass for success.
  if (!std::cout.flush()) {
    std::cerr << "student-dialogue: cannot write to standard output\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main() {
  // Unsynchronised standard streams keep buffers of their own, so a long name
  // is read and written in blocks instead of one C stdio call per character.
  // std::cin stays tied to std::cout, so every prompt is flushed to the
  // console before the program waits for its answer.
  std::ios_base::sync_with_stdio(false);

  try {
    // Every standard library then reads the amount by the same rule, in one
    // pass and in constant memory.
    std::cin.imbue(WithAmountReader(std::cin.getloc()));
    return Converse();
  } catch (const std::bad_alloc&) {
    // A name too long to hold, copy or write. std::cerr is tied to std::cout,
    // so what was written before reaches standard output first.
    std::cerr << "student-dialogue: out of memory\n";
    return 1;
  }
}
