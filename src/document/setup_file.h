#pragma once

#include <string>
#include <string_view>

#include "common/dialogs.h"
#include "document/setup_document.h"

// The ".tvn" setup file: a flat little-endian stream of every stored field in fixed order.
namespace SetupFile {

inline constexpr const char* kTypeString = "TORVAL KRV5200";
inline constexpr const char* kVersionString = "ver 1";
inline constexpr const char* kExtension = ".tvn";

enum class LoadOutcome {
  Loaded,        // every field read
  Empty,         // a 0-byte file holds no setup: "Unexpected file format."
  OpenFailed,    // the file could not be opened (not found, access denied)
  WrongType,     // "FILE TYPE ERROR"
  WrongVersion,  // "VERSION ERROR"
  Truncated,     // "Unexpected file format."
};

// True when the open counts as successful: the file becomes the document's file.
constexpr bool Succeeded(LoadOutcome o) { return o == LoadOutcome::Loaded; }

// Reads the file into `doc`. The document changes only when the whole file was read; an empty,
// rejected or damaged file leaves every field as it was. Values are taken as they stand (see
// SetupCorrection for bringing them into range). Fields a file does not hold
// (country, comments, band flags) keep their values. Reports through `dialogs`.
LoadOutcome Load(const std::string& path, SetupDocument& doc, Dialogs& dialogs);

// Load's rules for the bytes of a file already read.
LoadOutcome LoadBytes(std::string_view data, SetupDocument& doc, Dialogs& dialogs);

// Writes the whole document to `path` through a temporary file beside it that replaces the
// target only once everything has been written and flushed; on failure the old file is left
// intact and "Failed to save document." is shown with the reason under it (SaveFailureReason).
// Clears `viewSynchronized` either way. The
// temporary file is ".krv5200-saving-PID-XXXXXX" in the target's folder, whatever the target's
// name; ones left there by a save that was killed are removed first.
bool Save(const std::string& path, SetupDocument& doc, Dialogs& dialogs);

// Save's writing alone, for files the user did not ask for (snapshots, the recovery file): the
// same temporary file and rename, nothing shown; on failure `error` holds the system's reason
// ("No space left on device") and no file has changed.
bool Write(const std::string& path, const SetupDocument& doc, std::string& error);

// The bytes Save writes.
std::string Serialize(const SetupDocument& doc);

// Why a save to `target` failed with the system error `error`, in one plain line: no space left
// on the disk, a read-only folder, permission denied, a name too long, a missing folder.
std::string SaveFailureReason(int error, const std::string& target);

}  // namespace SetupFile
