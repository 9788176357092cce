// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/address_question.h"

#include <QAbstractButton>
#include <QMessageBox>

#include "compare/image_diff.h"
#include "ui/text.h"
#include "ui/ui_hooks.h"

namespace radioprog {

AddressAnswer AskAboutAddresses(QWidget* parent, const RadioImage& image, const LanguageTable& language,
                                bool withCancel) {
    const std::vector<ImageDifference> wrong = AddressMismatches(image, language);
    if (wrong.empty()) return AddressAnswer::Keep;
    QString text = Q(language.row(lang_row::kMisaddressed));
    for (const ImageDifference& difference : wrong) text += QLatin1Char('\n') + Q(DifferenceText(difference, language));
    text += QLatin1Char('\n') + Q(language.row(lang_row::kMisaddressedRisk));
    // Records that would land over the band limits or outside the memory are never written as
    // they are: before a write, only the repair is offered.
    const bool unsafe = !UnsafeRecords(image).empty();
    if (unsafe) text += QLatin1Char('\n') + Q(language.row(lang_row::kUnsafeAddresses));
    const bool keepOffered = !(unsafe && withCancel);
    QMessageBox::StandardButtons buttons = QMessageBox::Yes;
    if (keepOffered) buttons |= QMessageBox::No;
    if (withCancel) buttons |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Warning, Q(language.row(lang_row::kTitle)), text, buttons, parent);
    box.setObjectName(QStringLiteral("addressQuestion"));
    box.button(QMessageBox::Yes)->setText(Q(language.row(lang_row::kRepairAddresses)));
    if (keepOffered) box.button(QMessageBox::No)->setText(Q(language.row(lang_row::kKeepAddresses)));
    if (withCancel) box.button(QMessageBox::Cancel)->setText(Q(language.row(lang_row::kCancel)));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::No);
    int answer = RunModal(box);
    if (QAbstractButton* clicked = box.clickedButton()) answer = box.standardButton(clicked);
    if (answer == QMessageBox::Yes) return AddressAnswer::Repair;
    if (answer == QMessageBox::No || !withCancel) return AddressAnswer::Keep;
    return AddressAnswer::Cancel;
}

}  // namespace radioprog
