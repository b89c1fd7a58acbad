#pragma once

#include <QComboBox>
#include <QDialog>
#include <string>
#include <vector>

#include "document/types.h"
#include "interchange/filter_text_writer.h"

// Which parametric set a filter text goes into or comes from: the group and side, and for an
// import of a file with "Channel:" sections the section, for an export the text's format.
struct FilterSetChoice {
  EqGroup group = EqGroup::Front;
  EqSide side = EqSide::Common;
  std::string channel;
  FilterTextFormat format = FilterTextFormat::Apo;
};

class FilterSetDialog : public QDialog {
 public:
  static constexpr const char* kImportCaption = "Import Filters";
  static constexpr const char* kExportCaption = "Export Filters";

  // An import dialog offers `channels` when there are any; an export dialog the formats.
  FilterSetDialog(bool import, const std::vector<std::string>& channels, QWidget* parent);

  FilterSetChoice Choice() const;

  QComboBox* GroupBox() const { return group_; }
  QComboBox* SideBox() const { return side_; }
  QComboBox* ChannelBox() const { return channel_; }
  QComboBox* FormatBox() const { return format_; }

 private:
  QComboBox* group_ = nullptr;
  QComboBox* side_ = nullptr;
  QComboBox* channel_ = nullptr;
  QComboBox* format_ = nullptr;
};
