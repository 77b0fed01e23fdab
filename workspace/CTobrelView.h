#pragma once

#include "CommandTarget.h"

#include <QWidget>

// The workspace: owns the three lists, the print font, the selection combos and the two
// address text boxes, paints the envelope preview and prints the envelope.
class CTobrelView : public QWidget, public CCmdTarget
{
    Q_OBJECT
public:
    explicit CTobrelView(QWidget *parent = nullptr);
    ~CTobrelView() override;

    // First set-up; a repeated call leaves controls, lists and stores as they are.
    void OnInitialUpdate();

    bool OnCmdMsg(int id) override;
    bool OnUpdateCmdUI(int id, CCmdUI &state) override;

Q_SIGNALS:
    // The state behind an update handler changed (panel shown or hidden, link toggled).
    void commandStateChanged();
};
