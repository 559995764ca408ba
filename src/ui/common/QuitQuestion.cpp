// SPDX-License-Identifier: MIT
#include "ui/common/QuitQuestion.h"

#include <QMessageBox>
#include <QPushButton>

QuitQuestion::QuitQuestion(std::function<void(bool keepHistory)> quit) : m_quit(std::move(quit)) {}

QuitQuestion::~QuitQuestion() {
    delete m_box;
}

void QuitQuestion::ask(qsizetype cleared) {
    if (cleared <= 0) {
        m_quit(false);
        return;
    }
    if (m_box) {
        m_box->raise();
        m_box->activateWindow();
        return;
    }
    m_box = new QMessageBox;
    m_box->setAttribute(Qt::WA_DeleteOnClose);
    m_box->setIcon(QMessageBox::Warning);
    m_box->setWindowTitle(QStringLiteral("Quillstack"));
    m_box->setText(tr("Quitting clears the %n items in the history.", nullptr, int(cleared)));
    m_box->setInformativeText(tr("Pins are kept. The history can be kept after restart instead."));
    QPushButton* keep = m_box->addButton(tr("Keep History and Quit"), QMessageBox::AcceptRole);
    QPushButton* clear = m_box->addButton(tr("Quit and Clear"), QMessageBox::DestructiveRole);
    // Qt's own button would say "Cancel" in English whatever the language.
    QPushButton* cancel = m_box->addButton(tr("Cancel"), QMessageBox::RejectRole);
    m_box->setDefaultButton(keep);
    m_box->setEscapeButton(cancel);
    QObject::connect(m_box, &QMessageBox::finished, m_box, [this, keep, clear] {
        QAbstractButton* clicked = m_box->clickedButton();
        if (clicked == keep || clicked == clear) {
            m_quit(clicked == keep);
        }
    });
    m_box->open();
}
