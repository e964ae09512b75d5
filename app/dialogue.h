#ifndef STUDENT_APP_DIALOGUE_H_
#define STUDENT_APP_DIALOGUE_H_

#include <istream>
#include <ostream>

namespace dialogue {

// Asks on `out` for a first name, a last name and a tuition amount, reads
// them from `in` (whose locale reads the amount), and writes the default
// record and the one typed. Returns the exit status: 0, or 1, said on `err`,
// when `out` cannot be written. A read error ends the input as end of file
// does; running out of memory throws std::bad_alloc to the caller, so that a
// name is never written shortened.
int Converse(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace dialogue

#endif  // STUDENT_APP_DIALOGUE_H_
