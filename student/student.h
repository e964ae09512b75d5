#ifndef STUDENT_STUDENT_H_
#define STUDENT_STUDENT_H_

#include <string>

// One student's record: first name, last name and tuition balance.
//
// A plain value class. Text goes in and comes out by value, so a caller never
// shares storage with a record: changing a returned name leaves the record
// as it was, and changing the record leaves earlier returned names alone.
// Any text is a valid name and any balance is valid, negative ones included.
class Student {
 public:
  Student();  // empty names, balance 0
  Student(std::string fName, std::string lName, float tuition);

  void setFName(std::string fName);
  void setLName(std::string lName);
  void setTuition(float tuition);

  std::string getFName() const;
  std::string getLName() const;
  float getTuition() const;

  // Subtracts `amount` from the balance. There is no floor: the balance may
  // go below zero, and a negative amount raises it.
  void deductTuition(float amount);

 private:
  std::string FName;
  std::string LName;
  float Tuition;
};

#endif  // STUDENT_STUDENT_H_
