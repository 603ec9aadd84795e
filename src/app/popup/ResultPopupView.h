// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QWidget>

#include "PopupStyle.h"
#include "PopupType.h"
#include "content/ParsedContent.h"

class QBoxLayout;
class QLabel;
class QToolButton;

namespace kavri {

class ResultPopupViewModel;

// The content of one result card (400 × 400): compact (symbol, title and, for errors, the
// message) or detailed (header, scrolling body of field rows or monospaced text, footer with the
// copy confirmation and the content's action), with a close button in the top right corner.
// Buttons reach the controller through \a viewModel and do nothing once it is gone.
class ResultPopupView : public QWidget
{
    Q_OBJECT

public:
    ResultPopupView(QString text, PopupType type, std::optional<ParsedContent> parsedContent,
        ResultPopupViewModel *viewModel, QWidget *parent = nullptr);

    const QString &text() const { return m_text; }
    PopupType type() const { return m_type; }
    const std::optional<ParsedContent> &parsedContent() const { return m_parsedContent; }
    ResultPopupViewModel *viewModel() const { return m_viewModel; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildCompact(const PopupStyle &style);
    void buildDetailed(const PopupStyle &style);
    QLabel *symbolLabel(const QString &symbol, int size, const QColor &color);
    QLabel *titleLabel(const QString &title);
    QWidget *body();
    QWidget *fieldRow(const ContentField &field);
    QBoxLayout *footer();
    QWidget *actionControl(const ContentAction &action);
    QWidget *settingsButton();
    void perform(const QString &actionId);
    void dismiss();

    QString m_text;
    PopupType m_type;
    std::optional<ParsedContent> m_parsedContent;
    ResultPopupViewModel *m_viewModel;
    QToolButton *m_closeButton = nullptr;
};

} // namespace kavri
