#include "shell/ui/TAboutBox.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/CentreOnScreen.h"
#include "common/ui/QtText.h"
#include "shell/ui/ToolIcons.h"
#include "version.h"

namespace zel::ui {

namespace {

QLabel* PlainLabel(QWidget* parent, const char* name, const char* text) {
  auto* label = new QLabel(Qs(text), parent);
  label->setObjectName(Qs(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName(Qs("AboutBox"));
  setWindowTitle(Qs("About"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  QFont font(Qs("MS Sans Serif"));
  font.setPixelSize(11);
  setFont(font);

  auto* panel = new QFrame(this);
  panel->setObjectName(Qs("Panel1"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  ProgramIcon = new QLabel(panel);
  ProgramIcon->setObjectName(Qs("ProgramIcon"));
  ProgramIcon->setFixedSize(97, 97);
  ProgramIcon->setPixmap(ProgramPicture(97));

  ProductName = PlainLabel(panel, "ProductName", "Torva");
  QFont productFont = font;
  productFont.setPixelSize(18);
  productFont.setBold(true);
  ProductName->setFont(productFont);
  Version = PlainLabel(panel, "Version", "Version: " ZEL_VERSION);
  Label2 = PlainLabel(panel, "Label2", "IBAN complient");
  Label1 = PlainLabel(panel, "Label1", "www.nurvek.bg");

  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(12, 12, 16, 12);
  grid->setHorizontalSpacing(16);
  grid->addWidget(ProgramIcon, 0, 0, 4, 1, Qt::AlignTop);
  grid->addWidget(ProductName, 0, 1);
  grid->addWidget(Version, 1, 1);
  grid->addWidget(Label2, 2, 1);
  grid->addWidget(Label1, 3, 1);
  grid->setRowStretch(3, 1);

  OKButton = new QPushButton(Qs("OK"), this);
  OKButton->setObjectName(Qs("OKButton"));
  OKButton->setDefault(true);
  OKButton->setAutoDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel);
  layout->addWidget(OKButton, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutBox::setVisible(bool visible) {
  if (visible && !isVisible()) {
    // Centred on the screen, not on the main window.
    ensurePolished();
    layout()->activate();
    adjustSize();
    CentreOnScreen(*this);
  }
  QDialog::setVisible(visible);
}

}  // namespace zel::ui
