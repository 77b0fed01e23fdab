#include "CTobrelView.h"

CTobrelView::CTobrelView(QWidget *parent) : QWidget(parent) {}
CTobrelView::~CTobrelView() = default;

void CTobrelView::OnInitialUpdate() {}

bool CTobrelView::OnCmdMsg(int id)
{
    (void)id;
    return false;
}

bool CTobrelView::OnUpdateCmdUI(int id, CCmdUI &state)
{
    (void)id;
    (void)state;
    return false;
}
