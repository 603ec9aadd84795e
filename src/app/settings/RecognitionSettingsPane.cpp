// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecognitionSettingsPane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "SettingsForm.h"
#include "SettingsTexts.h"
#include "SettingsViewModel.h"
#include "settings/AppSettings.h"

namespace kavri {

RecognitionSettingsPane::RecognitionSettingsPane(
    SettingsViewModel &model, const QList<SupportedLanguage> &languages, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_autoDetect(new QCheckBox(SettingsTexts::autoDetectLanguage.toString()))
    , m_pickerRow(new QWidget)
    , m_picker(new QComboBox)
    , m_customWords(new QPlainTextEdit)
{
    AppSettings &settings = m_model.settings();
    QVBoxLayout *column = SettingsForm::column(this);

    QVBoxLayout *language = SettingsForm::section(column, SettingsTexts::language.toString());
    language->addWidget(m_autoDetect);
    auto *pickerLayout = new QHBoxLayout(m_pickerRow);
    pickerLayout->setContentsMargins(0, 0, 0, 0);
    auto *pickerLabel = new QLabel(SettingsTexts::languagePicker.toString());
    pickerLabel->setBuddy(m_picker);
    pickerLayout->addWidget(pickerLabel);
    pickerLayout->addWidget(m_picker, 1);
    m_picker->setAccessibleName(SettingsTexts::selectedLanguage.toString());
    for (const SupportedLanguage &entry : languages)
        m_picker->addItem(entry.displayName, entry.code);
    language->addWidget(m_pickerRow);
    language->addWidget(SettingsForm::caption(SettingsTexts::languageCaption.toString()));

    QVBoxLayout *words = SettingsForm::section(column, SettingsTexts::customWords.toString());
    m_customWords->setMinimumHeight(100);
    m_customWords->setPlaceholderText(SettingsTexts::customWordsPlaceholder.toString());
    m_customWords->setAccessibleName(SettingsTexts::customWordsLabel.toString());
    m_customWords->setAccessibleDescription(SettingsTexts::customWordsHint.toString());
    m_customWords->setToolTip(SettingsTexts::customWordsHint.toString());
    m_customWords->setTabChangesFocus(true);
    words->addWidget(m_customWords);
    words->addWidget(SettingsForm::caption(SettingsTexts::customWordsCaption.toString()));
    column->addStretch();

    connect(m_autoDetect, &QCheckBox::clicked, this, [&settings](bool on) { settings.setAutoDetectLanguage(on); });
    // Only the user's choice writes: filling or redrawing the list never does.
    connect(m_picker, &QComboBox::activated, this,
        [this, &settings](int index) { settings.setSelectedLanguage(m_picker->itemData(index).toString()); });
    connect(m_customWords, &QPlainTextEdit::textChanged, this, [this, &settings] {
        if (m_customWords->toPlainText() != settings.customWords())
            settings.setCustomWords(m_customWords->toPlainText());
    });
    connect(&m_model, &SettingsViewModel::changed, this, &RecognitionSettingsPane::refresh);

    showPicker(!settings.autoDetectLanguage(), false);
    refresh();
}

void RecognitionSettingsPane::refresh()
{
    const AppSettings &settings = m_model.settings();
    m_autoDetect->setChecked(settings.autoDetectLanguage());
    if (m_pickerShown == settings.autoDetectLanguage())
        showPicker(!settings.autoDetectLanguage(), isVisible());
    selectStoredLanguage();
    if (m_customWords->toPlainText() != settings.customWords()) {
        const QSignalBlocker blocker(m_customWords);
        m_customWords->setPlainText(settings.customWords());
    }
}

void RecognitionSettingsPane::selectStoredLanguage()
{
    const QString &code = m_model.settings().selectedLanguage();
    int index = m_picker->findData(code);
    // A stored language whose data is not installed is still shown, and kept.
    if (index < 0) {
        m_picker->addItem(code, code);
        index = m_picker->count() - 1;
    }
    m_picker->setCurrentIndex(index);
}

void RecognitionSettingsPane::showPicker(bool shown, bool animated)
{
    m_pickerShown = shown;
    if (m_animation)
        m_animation->stop();
    m_pickerRow->setMaximumHeight(QWIDGETSIZE_MAX);
    if (!animated) {
        m_pickerRow->setVisible(shown);
        return;
    }
    const int height = m_pickerRow->sizeHint().height();
    m_pickerRow->setMaximumHeight(shown ? 0 : height);
    m_pickerRow->setVisible(true);
    auto *animation = new QPropertyAnimation(m_pickerRow, "maximumHeight", this);
    animation->setDuration(pickerAnimationMs);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    animation->setStartValue(shown ? 0 : height);
    animation->setEndValue(shown ? height : 0);
    connect(animation, &QPropertyAnimation::finished, this, [this, shown] {
        m_pickerRow->setMaximumHeight(QWIDGETSIZE_MAX);
        m_pickerRow->setVisible(shown);
    });
    m_animation = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace kavri
