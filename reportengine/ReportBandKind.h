#pragma once

enum class ReportBandKind { PageHeader, ColumnHeader, Detail, Summary };
