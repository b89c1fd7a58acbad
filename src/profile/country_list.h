#pragma once

#include <string>
#include <string_view>

// The "COUNTRY" list: the index of the entry a text names (blanks around it and letter case
// aside), or -1 when it names none of them.
int CountryIndexOf(std::string_view text);
// The entry's text for an index, empty for -1 or any other index outside the list.
std::string CountryText(int index);
