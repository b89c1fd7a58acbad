#include "app/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "artwork/brand_artwork.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About KRV5200"));
  setObjectName(QStringLiteral("About KRV5200"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 14);
  layout->setSpacing(12);

  auto* strip = new QLabel(this);
  strip->setAlignment(Qt::AlignCenter);
  strip->setStyleSheet(QStringLiteral("background: black;"));
  strip->setFixedHeight(78);
  strip->setPixmap(BrandArtwork::Logo());
  layout->addWidget(strip);

  auto* row = new QHBoxLayout;
  row->setContentsMargins(20, 4, 20, 0);
  row->setSpacing(16);
  auto* icon = new QLabel(this);
  icon->setPixmap(BrandArtwork::AppIcon().pixmap(48, 48));
  icon->setAlignment(Qt::AlignTop);
  row->addWidget(icon);
  auto* text = new QVBoxLayout;
  auto* version = new QLabel(QString::fromLatin1(kVersionLine), this);
  QFont bold = version->font();
  bold.setBold(true);
  version->setFont(bold);
  text->addWidget(version);
  auto* second = new QLabel(QString::fromLatin1(kSecondLine), this);
  second->setWordWrap(true);
  text->addWidget(second);
  text->addStretch();
  row->addLayout(text, 1);
  layout->addLayout(row);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->setCenterButtons(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  setFixedWidth(420);
}
