// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list of differences between two memory images in the editors' words: File → Compare
// With... (the open document against a file or the radio's memory) and the read-back of a
// verified write.
#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

#include "link/port_map.h"
#include "link/transfer_reports.h"
#include "model/language_table.h"
#include "model/radio_image.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace radioprog {

class CCommTask;
class TransferBridge;

class CompareDialog : public QDialog {
    Q_OBJECT
public:
    // heading: the line above the list (empty: none).
    CompareDialog(const LanguageTable& language, const QString& heading, QWidget* parent = nullptr);
    ~CompareDialog() override;

    // Lists what differs from `before` to `after`; "No differences" when nothing does.
    void ShowDifferences(const RadioImage& before, const RadioImage& after);
    void showLines(const QStringList& lines);

    // Offers File... and Radio: the chosen file's image, or the radio's memory read with a
    // job of its own on ports, is compared with document() (nothing else is changed).
    void offerSources(std::function<RadioImage()> document, const PortMap& ports);

    QListWidget* list() const { return list_; }
    QPushButton* fileButton() const { return file_; }
    QPushButton* radioButton() const { return radio_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    QProgressBar* progressBar() const { return progress_; }
    bool reading() const;

protected:
    void reject() override;

private:
    void compareWithFile();
    void compareWithRadio();
    void setBusy(bool busy);
    void setHeading(const QString& source);
    void showFailure(const TransferOutcome& outcome);

    const LanguageTable& language_;
    std::function<RadioImage()> document_;
    QLabel* heading_ = nullptr;
    QListWidget* list_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* file_ = nullptr;
    QPushButton* radio_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::optional<TransferOutcome> failure_;  // of the read that is ending
    std::unique_ptr<CCommTask> job_;
    std::unique_ptr<TransferBridge> bridge_;
};

}  // namespace radioprog
