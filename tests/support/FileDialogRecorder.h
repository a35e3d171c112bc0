#pragma once

// Answers every file-open dialog without showing it: the user picks the paths in `next`, one
// per dialog, in order; with none left the dialog is cancelled. Remembers what each dialog asked.

#include "kit/FileDialogs.h"

#include <QList>
#include <QStringList>

class FileDialogRecorder {
public:
    FileDialogRecorder()
    {
        FileDialogs::SetHandler([this](const FileDialogs::Request& request) {
            asked.append(request);
            return next.isEmpty() ? QString() : next.takeFirst();
        });
    }
    ~FileDialogRecorder() { FileDialogs::SetHandler({}); }

    QStringList next;
    QList<FileDialogs::Request> asked;
};
