#pragma once

#include <string>

#include "common/dialogs.h"
#include "document/setup_document.h"

// The ".tvn" setup file: a flat little-endian stream of every stored field in fixed order.
namespace SetupFile {

inline constexpr const char* kTypeString = "TORVAL KRV5200";
inline constexpr const char* kVersionString = "ver 1";
inline constexpr const char* kExtension = ".tvn";

enum class LoadOutcome {
  Loaded,        // every field read
  Empty,         // a 0-byte file: nothing read, the open still succeeds
  OpenFailed,    // the file could not be opened (not found, access denied)
  WrongType,     // "FILE TYPE ERROR"
  WrongVersion,  // "VERSION ERROR"
  Truncated,     // "Unexpected file format."
};

// True when the open counts as successful: the file becomes the document's file.
constexpr bool Succeeded(LoadOutcome o) { return o == LoadOutcome::Loaded || o == LoadOutcome::Empty; }

// Reads the file into `doc`. The document changes only when the whole file was read (or it was
// empty); a rejected or damaged file leaves every field as it was. Fields a file does not hold
// (country, comments, band flags) keep their values. Reports through `dialogs`.
LoadOutcome Load(const std::string& path, SetupDocument& doc, Dialogs& dialogs);

// Writes the whole document to `path` through a temporary file beside it that replaces the
// target only once everything has been written and flushed; on failure the old file is left
// intact and "Failed to save document." is shown. Clears `viewSynchronized` either way.
bool Save(const std::string& path, SetupDocument& doc, Dialogs& dialogs);

// The bytes Save writes.
std::string Serialize(const SetupDocument& doc);

}  // namespace SetupFile
