#ifndef STUDENT_APP_DIALOGUE_H_
#define STUDENT_APP_DIALOGUE_H_

#include <istream>
#include <ostream>
#include <string>

namespace dialogue {

// Reads one whole line, spaces included, into `line`; the line end is
// consumed and not stored. A carriage return right before the line feed is
// part of a CR LF line end, as in files prepared on Windows, so it is dropped
// too. Nothing else in the line is changed. A read error ends the input as
// end of file does; running out of memory throws std::bad_alloc, never a
// shortened line.
void ReadLine(std::istream& in, std::string& line);

// Asks on `out` for a first name, a last name and a tuition amount, reads
// them from `in` (whose locale reads the amount), and writes the default
// record and the one typed. Returns the exit status: 0, or 1, said on `err`,
// when `out` cannot be written. std::bad_alloc goes on to the caller.
int Converse(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace dialogue

#endif  // STUDENT_APP_DIALOGUE_H_
