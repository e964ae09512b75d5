#include "student/student.h"

#include <utility>

Student::Student() : Tuition(0.0F) {}

// The names arrive as the caller's copies and are moved in, so building a
// record copies each name once, however long it is.
Student::Student(std::string fName, std::string lName, float tuition)
    : FName(std::move(fName)), LName(std::move(lName)), Tuition(tuition) {}

void Student::setFName(std::string fName) { FName = std::move(fName); }

void Student::setLName(std::string lName) { LName = std::move(lName); }

void Student::setTuition(float tuition) { Tuition = tuition; }

std::string Student::getFName() const { return FName; }

std::string Student::getLName() const { return LName; }

float Student::getTuition() const { return Tuition; }

void Student::deductTuition(float amount) { Tuition -= amount; }
