#pragma once

#include <QString>

namespace purslet {

class Ui;

// The fixed address of the maker's support page.
inline const QString kSupportAddress = QStringLiteral("https://purslet.example.org/support/");

// The help pages live in the folder "help" beside a program run from its
// build folder, in <prefix>/share/purslet/help when installed.
QString HelpFileUrl(const QString &page);

void helpIndex_Click(Ui &ui);
void helpTopics_Click(Ui &ui);
void helpSupport_Click(Ui &ui);
void helpVersion_Click(Ui &ui);

// "Ver." + major + "." + minor with at least two digits: Ver.3.25, Ver.3.05.
QString VersionLabel(int major, int minor);

} // namespace purslet
