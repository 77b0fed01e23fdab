#pragma once

#include <QString>

#include <string>
#include <string_view>

// The order of the program's sorted lists: Czech collation without regard to letter case
// ("<Žádný>" before digits and letters, "ch" after "h"). As in Windows' word sort, hyphens
// and apostrophes weigh almost nothing: they are left out of the main comparison and only
// break a tie, fewer of them first.
namespace LabelCollation {

QString withoutWordMarks(const QString &text);
bool isWordMark(char byte);
// Two labels whose sort keys are equal: fewer marks first, then the whole texts.
int compareTies(const QString &a, const QString &b);
// The whole rule on two texts.
int compare(const QString &a, const QString &b);

// Sort keys of code page 1250 labels, compared byte by byte (strcmp): the Czech collation
// at the strength that ignores case, of the label without its marks. Built from a table of
// the collator's weights per character, so a million keys take a fraction of a second.
void appendSortKey(std::string_view label, std::string &key);
std::string sortKey(std::string_view label);
// A bound above the key of every label that begins with these bytes (marks left out),
// unless a contraction joins its last character with the next one (see contractionsAfter).
std::string prefixBound(std::string_view label);
// The characters that join with the given last one into a single letter ("c" and "h").
std::string_view contractionsAfter(char last);

} // namespace LabelCollation
