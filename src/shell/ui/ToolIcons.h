#pragma once
// The pictures of the main window's commands and of the About box, drawn
// here so that the program carries no image files.

#include <QIcon>
#include <QPixmap>

namespace zel::ui {

QIcon PersonnelIcon();  // image 15: the personnel list
QIcon PaymentIcon();    // image 16: the mass payment list
QIcon SaveAsIcon();     // image 8: writing a file
QPixmap ProgramPicture(int size);

}  // namespace zel::ui
