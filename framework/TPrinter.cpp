#include "framework/TPrinter.h"

#include "framework/AppError.h"
#include "framework/LocalePaper.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

TPrinter& TPrinter::instance()
{
    static TPrinter printer;
    return printer;
}

TPrinter::TPrinter() = default;

TPrinter::~TPrinter()
{
    if (m_painter)
        Abort();
}

QPrinter& TPrinter::printer()
{
    if (!m_printer) {
        const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
        if (defaultPrinter.isNull())
            throw AppError(StringTable::load(StringId::NoDefaultPrinter));
        m_printer = std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
    }
    return *m_printer;
}

void TPrinter::selectPdfFile(const QString& path)
{
    if (printing())
        throw AppError(StringTable::load(StringId::PrintingInProgress));
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setOutputFileName(path);
    m_printer->setPageSize(LocalePaper::pageSize());
}

void TPrinter::reset()
{
    if (!printing())
        m_printer.reset();
}

QPainter& TPrinter::BeginDoc()
{
    if (printing())
        throw AppError(StringTable::load(StringId::PrintingInProgress));
    QPrinter& target = printer();
    if (!target.isValid())
        throw AppError(StringTable::load(StringId::PrinterNotValid));
    target.setDocName(m_title);
    target.setFullPage(false);
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&target))
        throw AppError(StringTable::load(StringId::PrinterNotValid));
    m_painter = std::move(painter);
    m_pageNumber = 1;
    return *m_painter;
}

void TPrinter::NewPage()
{
    if (!printing())
        throw AppError(StringTable::load(StringId::NotPrinting));
    if (!m_printer->newPage())
        throw AppError(StringTable::load(StringId::PrinterNotValid));
    ++m_pageNumber;
    QCoreApplication::processEvents();
}

void TPrinter::EndDoc()
{
    if (!printing())
        throw AppError(StringTable::load(StringId::NotPrinting));
    const bool ended = m_painter->end();
    m_painter.reset();
    m_pageNumber = 0;
    if (!ended)
        throw AppError(StringTable::load(StringId::PrinterNotValid));
}

void TPrinter::Abort()
{
    if (!printing())
        return;
    m_printer->abort();
    m_painter->end();
    m_painter.reset();
    m_pageNumber = 0;
}

int TPrinter::dpiX()
{
    return printer().logicalDpiX();
}

int TPrinter::dpiY()
{
    return printer().logicalDpiY();
}

int TPrinter::pageWidth()
{
    return printer().width();
}

int TPrinter::pageHeight()
{
    return printer().height();
}
