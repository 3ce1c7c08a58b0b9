#pragma once

namespace sarw {

// The work directories and every file the program keeps there. Each run empties both and every
// computation writes its files again, so nothing here is the user's data. A file that serves
// several computations (SarWork1.Cds is a report's input, a "Tabulky" result and the DOS import's
// table) has one name here, after the file. Names made per table: tableReportName and
// maskedCopyName (output/ReportFile).

constexpr const char* kWorkDir = "C:\\A_Run\\Work";
constexpr const char* kReportDir = "C:\\A_Run\\Sestavy";

// --- Results and the tables between the steps of the commands -----------------------------------
// What the "Tabulky" commands and the lists show; the last sort, sum or reduction leaves its
// definition as SarWork.Def.
constexpr const char* kSarWork = "C:\\A_Run\\Work\\SarWork.Cds";
constexpr const char* kSarWorkDef = "C:\\A_Run\\Work\\SarWork.Def";
constexpr const char* kSarWork1 = "C:\\A_Run\\Work\\SarWork1.Cds";
constexpr const char* kSarWork1Def = "C:\\A_Run\\Work\\SarWork1.Def";
constexpr const char* kSarWork2 = "C:\\A_Run\\Work\\SarWork2.Cds";
constexpr const char* kSarWork3 = "C:\\A_Run\\Work\\SarWork3.Cds";
// The transfer to accounting's project for the table tool.
constexpr const char* kSarWorkTbu = "C:\\A_Run\\Work\\SarWork.Tbu";

// --- The stock primitives and the period tables -------------------------------------------------
constexpr const char* kCdsCisWork = "C:\\A_Run\\Work\\CdsCisWork.Cds";
constexpr const char* kSarSort31 = "C:\\A_Run\\Work\\SarSort31.Cds";
constexpr const char* kSarSort32 = "C:\\A_Run\\Work\\SarSort32.Cds";
constexpr const char* kSarSum1 = "C:\\A_Run\\Work\\SarSum1.Cds";
constexpr const char* kSarSum2 = "C:\\A_Run\\Work\\SarSum2.Cds";
constexpr const char* kSarRed1 = "C:\\A_Run\\Work\\SarRed1.Cds";
constexpr const char* kSarRed2 = "C:\\A_Run\\Work\\SarRed2.Cds";
constexpr const char* kSarStOb2 = "C:\\A_Run\\Work\\SarStOb2.Cds";
constexpr const char* kSarObSt2 = "C:\\A_Run\\Work\\SarObSt2.Cds";
constexpr const char* kSarObSt3 = "C:\\A_Run\\Work\\SarObSt3.Cds";
constexpr const char* kSarObSt4 = "C:\\A_Run\\Work\\SarObSt4.Cds";
constexpr const char* kSarStObSpoj = "C:\\A_Run\\Work\\SarStObSpoj.Cds";
constexpr const char* kSarStNove1 = "C:\\A_Run\\Work\\SarStNove1.Cds";
constexpr const char* kSarStNove2 = "C:\\A_Run\\Work\\SarStNove2.Cds";
constexpr const char* kSarObOdDo = "C:\\A_Run\\Work\\SarObOdDo.Cds";

// --- The table library ------------------------------------------------------------------------
// The copies over a work file, and the definition a conversion writes.
constexpr const char* kCdsProcWork = "C:\\A_Run\\Work\\CdsProcWork.Cds";
constexpr const char* kCdsProcWorkDef = "C:\\A_Run\\Work\\CdsProcWork.Def";
constexpr const char* kCdsProcWork1 = "C:\\A_Run\\Work\\CdsProcWork1.Cds";
constexpr const char* kCdsProcWork1Def = "C:\\A_Run\\Work\\CdsProcWork1.Def";
// The summation's route through record files.
constexpr const char* kSumWorkIn = "C:\\A_Run\\Work\\CdsProcW1.Dat";
constexpr const char* kSumWorkOut = "C:\\A_Run\\Work\\CdsProcW2.Dat";
// DatSum's sorted records and their definition.
constexpr const char* kDatSumWorkData = "C:\\A_Run\\Work\\DatProcW.Dat";
constexpr const char* kDatSumWorkDef = "C:\\A_Run\\Work\\DatProcW.Def";

// --- The table tool, the table screen and its report --------------------------------------------
// The control file the table tool reads, and the copy of the table it shows.
constexpr const char* kTabuloControlFile = "C:\\A_Run\\Work\\Tabulo.Tbu";
constexpr const char* kTabuloDataFile = "C:\\A_Run\\Work\\Tabulo_Data.Cds";
// The minimal-width copy the screen shows when "Minimalni sirka sestavy" is ticked.
constexpr const char* kMinimalWidthTable = "C:\\A_Run\\Work\\CdsScrRW_.Cds";
constexpr const char* kMinimalWidthDef = "C:\\A_Run\\Work\\CdsScrRW_.Def";
// The table report's reduced definition and the definition lines of its printed fields.
constexpr const char* kSesReducedDef = "C:\\A_Run\\Work\\CdsScrRed.Def";
constexpr const char* kSesWorkDef = "C:\\A_Run\\Work\\CdsScrW_.Def";

} // namespace sarw
