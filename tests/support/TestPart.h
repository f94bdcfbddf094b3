#pragma once

#include <QString>

// A long data-driven test runs as several ctest tests beside each other (estocarium_test's PARTS in
// tests/CMakeLists.txt), since its rows mostly wait: part k of n takes every n-th row from the k-th
// on, as ESTOCARIUM_TEST_PART=k/n says. A test program started alone is part 1 of 1.
struct TestPart {
    int number = 1;
    int count = 1;

    // Read from the environment; a malformed value ends the test program at once, rather than
    // leaving rows out or running them in every part.
    static TestPart current();

    bool takes(int row) const { return row % count == number - 1; }
    // "-kofn" for a part, empty for the whole: what keeps the parts' files and pictures apart.
    QString suffix() const;
};
