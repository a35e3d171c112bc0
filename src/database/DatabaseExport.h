#pragma once
// What the database export shows and writes: the grid's columns over TSchedaDatabase and the
// columns of Database.xls (whose order, titles and widths differ from the grid's).
#include "archive/SpreadsheetExport.h"

const ExportDescription& DatabaseExport();
