#include "app/dialogue.h"

#include <ios>
#include <istream>
#include <ostream>
#include <string>

#include "student/student.h"

namespace dialogue {

namespace {

// Extractions catch whatever goes wrong inside them, set badbit and keep
// what they had read so far, so running out of memory would pass for a
// shortened line. With badbit in the exception mask they rethrow instead.
// This sets that mask for one extraction and puts the earlier one back on
// every way out, std::bad_alloc included. A stream that is bad already keeps
// its mask: setting one there would throw, and the extraction fails at once.
class RethrowingFailures {
 public:
  explicit RethrowingFailures(std::istream& in)
      : in_(in), saved_(in.exceptions()), set_(!in.bad()) {
    if (set_) in_.exceptions(std::ios_base::badbit);
  }
  ~RethrowingFailures() {
    if (!set_) return;
    try {
      in_.exceptions(saved_);
    } catch (...) {
      // The mask is back; the stream only reports a state it already had.
      // Building that report allocates, so while a std::bad_alloc unwinds it
      // can throw another, which must not leave this destructor.
    }
  }
  RethrowingFailures(const RethrowingFailures&) = delete;
  RethrowingFailures& operator=(const RethrowingFailures&) = delete;

 private:
  std::istream& in_;
  std::ios_base::iostate saved_;
  bool set_;
};

// Runs one extraction from `in`: std::bad_alloc goes on to the caller, while
// a read error ends the input just as end of file does.
template <typename Extraction>
void Extract(std::istream& in, Extraction extraction) {
  const RethrowingFailures rethrowing(in);
  try {
    extraction();
  } catch (const std::ios_base::failure&) {
    // The stream stays bad, so every later read fails as at end of input.
  }
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

}  // namespace

int Converse(std::istream& in, std::ostream& out, std::ostream& err) {
  Student St1;
  std::string uFName;
  std::string uLName;
  float uFloat = 0.0F;  // the balance when no number can be read

  out << "Please enter a first name: ";
  ReadLine(in, uFName);
  out << "Please enter a last name: ";
  ReadLine(in, uLName);
  out << "Please enter a tuition amount: ";
  // A failed read is not an error: the balance shows it.
  Extract(in, [&] { in >> uFloat; });

  Student St2(uFName, uLName, uFloat);

  WriteReport(out, St1, "\nStudent 1 holds: [", "]-Tuition Balance\n");
  WriteReport(out, St2, "\nStudent 2 holds: [", "]-Tuition Balance\n\n");

  // Output that never reached its destination must not pass for success.
  if (!out.flush()) {
    err << "student-dialogue: cannot write to standard output\n";
    return 1;
  }
  return 0;
}

}  // namespace dialogue
