// SPDX-License-Identifier: MIT
// Copyright 2026 The Tavolini authors
#include "desktop/dialogs/window_drill_dialogs.h"

#include "desktop/dialogs/special_solution_dialog.h"
#include "desktop/dialogs/unit_change_dialog.h"
#include "desktop/program/drill_program.h"
#include "desktop/windows/page_window.h"

namespace tavolini {

WindowDrillDialogs::WindowDrillDialogs() = default;
WindowDrillDialogs::~WindowDrillDialogs() = default;

void WindowDrillDialogs::attach(DrillProgram& program) {
    m_program = &program;
    // Owned by the main window, which may be gone before these dialogs are.
    m_sentaku = new TfrmSentaku(&program.window);
    m_mondai = new TfrmMondai(program.problems, program.algebra, program.layout, &program.window);
}

// Beside the problem: below equation ②, its right edge near the right end
// of the row, so that the equations stay in sight. Kept where it was when
// the next equation has no row.
void WindowDrillDialogs::placeSpecialDialog() {
    TfrmPage& page = m_program->window.page();
    int next = m_program->algebra.equationCount + 1;
    if (next == 4 || next == 9) ++next;
    const RowImage* second = page.findRowImage(2);
    if (page.findRowImage(next) == nullptr || second == nullptr) return;
    const QPoint rowTop = second->mapTo(&m_program->window, QPoint(0, 0));
    const int left = m_program->window.findChild<QWidget*>(QStringLiteral("pnlMain"))->width() +
                     second->width() - m_sentaku->width() + 20;
    m_sentaku->placeAt(m_program->window.mapToGlobal(QPoint(left, rowTop.y() + 70)));
}

SpecialAnswer WindowDrillDialogs::showSpecialSolution() {
    placeSpecialDialog();
    return m_sentaku->choose();
}

bool WindowDrillDialogs::showProblemSelection() {
    return m_mondai->choose();
}

} // namespace tavolini
