#pragma once

#include <QString>

namespace Tarvosk {

// A message the rules give instead of acting; the window shows it and the
// record stays as it was.
struct Refusal
{
    enum class Kind { Information, Exclamation, Critical };

    QString text;
    QString title;
    Kind kind = Kind::Exclamation;

    friend bool operator==(const Refusal &, const Refusal &) = default;
};

} // namespace Tarvosk
