#pragma once

#include <QString>

// Salted slow password hashes (Argon2id) of the employees who sign in. The
// stored text carries its own salt and cost, so a hash made with a higher
// cost later still verifies.
class TPasswordHash
{
public:
    // The stored form of a password; throws ESelvarError when the machine
    // cannot spare the memory the hash needs.
    static QString Make(const QString& password);
    // True when the password matches the stored form; false for any stored
    // text that is no hash (an empty one included).
    static bool Verify(const QString& stored, const QString& password);
    // Takes as long as a real verification, for a number without a hash, so
    // the answer's timing does not tell whether the number exists.
    static void VerifyNothing(const QString& password);
    // The shortest password accepted.
    static int MinimumLength() { return 6; }
};
