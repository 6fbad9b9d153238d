#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace wavemark {

// Translation of the file dialog settings that callers hand to CommonDialog
// into what QFileDialog takes. Pure functions, so they are tested without a
// display.

// "desc|pattern|desc|pattern" (a trailing "|" allowed, a pattern may list
// several globs separated by ";") -> one Qt name filter per pair, in order.
// Each entry reads "description (globs)": Qt takes the globs from the final
// parentheses, so a description that already ends in "(...)" has that part
// replaced by the globs actually used ("All Files (*.*)" with "*.*" becomes
// "All Files (*)"), and one without gets them appended. A glob "*.*" means
// every file and becomes "*". A pair without a glob is left out.
QStringList toQtNameFilters(const QString& filter);

// What the option bits ask of a QFileDialog. 0x1000 (file must exist) ->
// ExistingFile; 2 (confirm overwrite) absent -> DontConfirmOverwrite. The
// other bits describe the look of the Windows dialog and are ignored.
struct FileDialogFlags {
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    QFileDialog::Options options;
};

FileDialogFlags toFileDialogFlags(int32_t flags);

} // namespace wavemark
