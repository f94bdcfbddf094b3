#pragma once

class ReportDataSource;

// What an element may read when it resolves: the record at hand and the page number.
struct ReportContext {
    const ReportDataSource *data = nullptr;
    int record = -1;
    int page = 1;
};
