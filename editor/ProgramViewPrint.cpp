#include "ProgramView.h"

#include "FormPrinter.h"

void CProgramView::PrintTo(QPrinter* printer)
{
    CFormPrinter(m_doc.pathName(), m_labels, m_grid, m_channelModel, font()).Print(printer);
}
