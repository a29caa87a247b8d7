#pragma once

#include <QString>

// Names as "Add Dir" orders them: without regard to case, names equal but
// for case in one fixed order.
bool NameLess(const QString &a, const QString &b);

// As NameLess, but a run of digits counts by its value, so "clip2" comes
// before "clip10" (dash cams and phones number their clips that way).
bool NaturalLess(const QString &a, const QString &b);
