#pragma once

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QString>
#include <QStringList>

#include "eq/equalizer_settings.h"

// The rows the filter set and fit dialogs are made of: a caption and its control, the caption
// being the control's accessible name too.
namespace ChoiceRows {

inline QComboBox* AddChoice(QFormLayout* form, const QString& caption, const QStringList& items) {
  auto* box = new QComboBox;
  box->addItems(items);
  box->setAccessibleName(caption);
  form->addRow(caption, box);
  return box;
}

inline QDoubleSpinBox* AddNumber(QFormLayout* form, const QString& caption, double lo, double hi,
                                 const QString& suffix) {
  auto* box = new QDoubleSpinBox;
  box->setRange(lo, hi);
  box->setDecimals(0);
  box->setSuffix(suffix);
  box->setAccessibleName(caption);
  form->addRow(caption, box);
  return box;
}

// The channel list's groups and the side selector's sides, as the equalizer windows name them.
inline QStringList GroupNames() {
  QStringList names;
  for (std::string_view g : kEqGroupListTexts)
    names << QString::fromLatin1(g.data(), static_cast<qsizetype>(g.size()));
  return names;
}

inline QStringList SideNames() {
  QStringList names;
  for (std::string_view s : kEqSideTexts)
    names << QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
  return names;
}

// Center is mono: while it is chosen the side box stays at Common.
inline void FollowMonoCenter(QComboBox* side, int chosen) {
  const bool center = chosen == Index(EqGroup::Center);
  if (center) side->setCurrentIndex(Index(EqSide::Common));
  side->setEnabled(!center);
}

}  // namespace ChoiceRows
