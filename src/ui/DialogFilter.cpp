#include "ui/DialogFilter.h"

#include "convert/WindowInterfaces.h"

namespace wavemark {

namespace {

// "*.txt; *.*" -> "*.txt *": Qt separates globs with blanks.
QString toQtGlobs(const QString& pattern) {
    QStringList globs;
    for (const QString& part : pattern.split(u';', Qt::SkipEmptyParts)) {
        const QString glob = part.trimmed();
        if (glob.isEmpty()) {
            continue;
        }
        globs.append(glob == u"*.*" ? QStringLiteral("*") : glob);
    }
    return globs.join(u' ');
}

// The description without a final "(...)", which would otherwise be read by
// Qt as the glob list and could disagree with the real pattern.
QString withoutGlobSuffix(const QString& description) {
    QString text = description.trimmed();
    if (text.endsWith(u')')) {
        const qsizetype open = text.lastIndexOf(u'(');
        if (open >= 0) {
            text.truncate(open);
        }
    }
    return text.trimmed();
}

} // namespace

QStringList toQtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString globs = toQtGlobs(parts[i + 1]);
        if (globs.isEmpty()) {
            continue;
        }
        const QString description = withoutGlobSuffix(parts[i]);
        result.append(description.isEmpty() ? globs
                                            : QStringLiteral("%1 (%2)").arg(description, globs));
    }
    return result;
}

FileDialogFlags toFileDialogFlags(int32_t flags) {
    FileDialogFlags result;
    if (flags & CommonDialog::kFileMustExist) {
        result.fileMode = QFileDialog::ExistingFile;
    }
    if (!(flags & CommonDialog::kOverwritePrompt)) {
        result.options |= QFileDialog::DontConfirmOverwrite;
    }
    return result;
}

} // namespace wavemark
