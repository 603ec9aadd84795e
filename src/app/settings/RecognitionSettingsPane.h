// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QPropertyAnimation>
#include <QWidget>

#include "capture/RecognitionLanguages.h"

class QCheckBox;
class QComboBox;
class QPlainTextEdit;

namespace kavri {

class SettingsViewModel;

// The recognition language (automatic, or picked from the installed ones) and the user's
// custom words.
class RecognitionSettingsPane : public QWidget
{
    Q_OBJECT

public:
    static constexpr int pickerAnimationMs = 200;

    RecognitionSettingsPane(
        SettingsViewModel &model, const QList<SupportedLanguage> &languages, QWidget *parent = nullptr);

    QCheckBox *autoDetectToggle() const { return m_autoDetect; }
    // The row with the picker; shown only while automatic detection is off.
    QWidget *pickerRow() const { return m_pickerRow; }
    QComboBox *languagePicker() const { return m_picker; }
    QPlainTextEdit *customWordsEditor() const { return m_customWords; }

    void refresh();

private:
    void showPicker(bool shown, bool animated);
    void selectStoredLanguage();

    SettingsViewModel &m_model;
    QCheckBox *m_autoDetect;
    QWidget *m_pickerRow;
    QComboBox *m_picker;
    QPlainTextEdit *m_customWords;
    QPointer<QPropertyAnimation> m_animation;
    bool m_pickerShown = true;
};

} // namespace kavri
