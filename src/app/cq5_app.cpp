#include "app/cq5_app.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>
#include <QTimer>

#include "app/cq5_doc.h"
#include "app/main_frame.h"
#include "artwork/brand_artwork.h"
#include "form/ui/cq5_view.h"
#include "interchange/ui/tools_menu.h"
#include "keeping/ui/setup_keeping.h"

CQ5App::CQ5App(const Services& services)
    : services_(services),
      doc_(std::make_unique<CQ5Doc>(services.settings, services.dialogs, services.prompts)) {
  auto* view = new CQ5View(doc_->Session(), services.line, services.clock, services.dialogs, services.pump);
  frame_ = std::make_unique<CMainFrame>(*doc_, view, services.settings);
  view->InstallFunctionWindows(frame_.get(), services.dialogs);
  view->InstallAutomaticRuns(frame_.get(), services.dialogs);
  tools_ = std::make_unique<ToolsMenu>(*frame_, *view, services.dialogs);
  doc_->onChanged = [this] {
    frame_->UpdateTitle();
    frame_->UpdateRecentFiles();
    // A save or an open takes the recovery file along at once.
    if (keeping_) keeping_->CheckRecovery();
  };
}

CQ5App::~CQ5App() {
  doc_->onChanged = nullptr;
  doc_->onReload = nullptr;
  tools_.reset();
  keeping_.reset();
  frame_.reset();
}

void CQ5App::EnableKeeping(const std::string& dataFolder, bool offerAtStart) {
  if (dataFolder.empty()) return;
  keeping_ = std::make_unique<SetupKeeping>(dataFolder, *doc_, *frame_, services_.dialogs, services_.prompts,
                                            services_.clock);
  offerRecovery_ = offerAtStart;
}

CQ5View& CQ5App::View() { return frame_->View(); }

void CQ5App::Start(const std::string& file) {
  if (!file.empty()) doc_->OpenFile(file);
  // From here on New and Open hand the document to the form again.
  doc_->onReload = [this] { View().Form().InitialUpdate(); };
  View().Form().InitialUpdate();
  frame_->UpdateTitle();
  frame_->UpdateCommandUi();
  frame_->show();
  // The question comes once the window stands, after the Welcome Screen and the command line's
  // file; "Restore" offers a modified setup for saving first, as Open does.
  if (keeping_ && offerRecovery_)
    QTimer::singleShot(0, keeping_.get(), [this] { keeping_->OfferRecovery(); });
}

void CQ5App::ApplyLook(QApplication& app) {
  app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  app.setWindowIcon(BrandArtwork::AppIcon());
  QPalette p;
  const QColor window(45, 50, 58);
  const QColor base(27, 30, 35);
  const QColor text(228, 231, 236);
  const QColor amber(255, 178, 30);
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, window.darker(115));
  p.setColor(QPalette::ToolTipBase, QColor(250, 240, 210));
  p.setColor(QPalette::ToolTipText, Qt::black);
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, QColor(58, 64, 73));
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::BrightText, amber);
  p.setColor(QPalette::Highlight, amber.darker(115));
  p.setColor(QPalette::HighlightedText, Qt::black);
  p.setColor(QPalette::Link, QColor(54, 198, 255));
  p.setColor(QPalette::Disabled, QPalette::Text, QColor(110, 116, 124));
  p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(110, 116, 124));
  p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(110, 116, 124));
  app.setPalette(p);
}
