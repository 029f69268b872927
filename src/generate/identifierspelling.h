#pragma once

#include <QString>

namespace varn::generate {

// The languages whose identifiers the class generators write.
enum class CodeLanguage { Cpp, Java };

// Writes a model name as an identifier of the language, and reads it back.
// A name that already is an identifier and no keyword is written unchanged.
// Otherwise:
// - every character other than an ASCII letter, an ASCII digit or "_", and a
//   digit that would begin the identifier, is written "_x" + its UTF-16 code
//   in four upper-case hexadecimal digits + "_" ("flash-rate" is written
//   "flash_x002D_rate", "3D" is written "_x0033_D");
// - a "_" that begins such a sequence in the name itself is written "_x005F_",
//   so that every sequence read back stands for one character;
// - a keyword of the language, alone or followed only by underscores, gets
//   one more underscore ("true" is written "true_", "true_" is written
//   "true__").
// Reading back reverses the three steps, so two names never share a spelling.
class IdentifierSpelling
{
public:
    static QString spell(const QString &name, CodeLanguage language);
    static QString unspell(const QString &identifier, CodeLanguage language);
    static bool isKeyword(const QString &word, CodeLanguage language);
};

} // namespace varn::generate
