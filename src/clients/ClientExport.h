#pragma once
// What the client export shows and writes: the grid's columns over TSchedaCliente (two of
// them join a town and its province with a blank) and the columns of Clienti.xls, whose
// titles and widths differ from the grid's.
#include "archive/SpreadsheetExport.h"

const ExportDescription& ClientExport();
