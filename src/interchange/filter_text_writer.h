#pragma once

#include <string>
#include <string_view>

#include "document/types.h"

// The two filter texts the tool writes: the lines of the system-wide PC equalizers (which the
// headphone and desktop equalizers read as well), and a room measurement program's
// "Filter Settings file" with its header.
enum class FilterTextFormat { Apo, Rew };

// "apo" or "rew"; false for anything else.
bool ParseFilterTextFormat(std::string_view name, FilterTextFormat& format);

// One "Filter N: ON PK Fc ... Hz Gain ... dB Q ..." line for each band the group uses, every
// number in the shortest form that reads back as the same float.
std::string WriteFilterText(const PeqBandSet& set, EqGroup group, EqSide side, FilterTextFormat format);
