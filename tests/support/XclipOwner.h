#pragma once

#include <QProcess>
#include <QTemporaryFile>

// What another client gets when it pastes `target` from `selection` now.
inline QByteArray paste(const QString& target, const QString& selection = "clipboard") {
    QProcess process;
    process.start("xclip", {"-o", "-selection", selection, "-t", target});
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

// Another client, xclip, serving `bytes` on CLIPBOARD (as `target`, or as text when it is empty)
// until it loses the selection or is killed.
class XclipOwner {
  public:
    XclipOwner(const QByteArray& target, const QByteArray& bytes) {
        m_file.open();
        m_file.write(bytes);
        m_file.flush();
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
        QStringList arguments{"-quiet", "-selection", "clipboard"};
        if (!target.isEmpty()) {
            arguments << "-t" << QString::fromLatin1(target);
        }
        m_process.start("xclip", arguments << "-i" << m_file.fileName());
        m_process.waitForStarted();
    }
    ~XclipOwner() { kill(); }
    void kill() {
        m_process.kill();
        m_process.waitForFinished();
    }

  private:
    QTemporaryFile m_file;
    QProcess m_process;
};
