#pragma once

#include <QDialog>

// "About KRV5200": the product, its version and what it is for.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kVersionLine = "KRV5200 Version 1.0";
  static constexpr const char* kSecondLine = "PC setup tool for the KRV5200 digital sound processor";

  explicit AboutDialog(QWidget* parent = nullptr);
};
