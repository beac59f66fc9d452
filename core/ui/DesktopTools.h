#pragma once

#include <QString>

class QWidget;

namespace dedizo {

// Desktop stand-ins for the Windows tools the program offers.
// RunProgram: open a file, program or web address with the desktop.
void RunProgram(const QString& target, const QString& parameters = QString());
// The desktop's calculator / text editor; false (after an error box) when none is installed.
bool runCalculator();
bool runTextEditor();
// The user manual: LibHelp.doc beside the program in OEM mode, else the online documentation.
void ShowHelp(const QString& topic = QString());
// The supplier's web site.
void openSupplierSite();

} // namespace dedizo
