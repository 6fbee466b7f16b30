// MAKE_TXT and the info-file writer it shares with meridan-cli.
#include "app/infofile.h"

#include "files/fileio.h"
#include "files/path.h"
#include "files/tfile.h"
#include "runtime/callstack.h"
#include "table/workarea.h"
#include "ui/stddlg.h"

namespace meridan {

std::string InfoFileName(const std::string& cFile) {
  return cFilePath(cFile) + cFileNoExt(cFile) + ".STR";
}

std::vector<FieldRow> FieldRows(const Value& aFeld) {
  std::vector<FieldRow> rows;
  if (!aFeld.IsArray()) return rows;
  for (const Value& row : *aFeld.AsArray()) {
    if (!row.IsArray() || row.AsArray()->size() < 4) continue;
    const Array& r = *row.AsArray();
    rows.push_back({r[0].AsText(), r[1].AsText(), static_cast<int>(r[2].AsWhole()),
                    static_cast<int>(r[3].AsWhole())});
  }
  return rows;
}

bool WriteInfoFile(const std::string& cFile1, const std::vector<std::string>& lines) {
  if (File(cFile1)) FErase(cFile1);
  // TTxtFile opens a file that exists and appends to it: the lines of this
  // run would follow the old ones, and the result would look like a success.
  if (File(cFile1)) return false;

  TTxtFile out(cFile1);
  if (!out.Open()) return false;
  // Add reports no failed write, so the last file error code is read after
  // each line and the length on disk is compared at the end: a full disk or
  // a short write must not leave a truncated file that looks finished.
  bool ok = true;
  for (const std::string& line : lines) {
    out.Add(line);
    if (LastFileError() != 0) ok = false;
  }
  out.TFile::GoBottom();
  if (out.nLen != static_cast<long>(JoinInfoLines(lines).size())) ok = false;
  out.Close();
  if (LastFileError() != 0) ok = false;
  if (!ok) FErase(cFile1);
  return ok;
}

MakeTxtShow& MakeTxtShowing() {
  static MakeTxtShow show;
  return show;
}

void MAKE_TXT(const std::string& cFile, int nArea) {
  MERIDAN_FRAME(frame, "MAKE_TXT");
  frame.Param("cFile", cFile).Param("nArea", nArea);
  std::string cFile1 = InfoFileName(cFile);
  std::string cAlias = cFileNoExt(cFile) + "->";
  Value aFeld;
  bool lWritten = false;
  frame.Local("cFile1", cFile1).Local("cAlias", cAlias).Local("aFeld", aFeld).Local("lWritten", lWritten);

  const MakeTxtShow& show = MakeTxtShowing();
  MERIDAN_LINE(frame);
  DbSelectArea(1);
  // A failed open reaches the error handler; when it lets the open fail,
  // the area stays empty and the info file holds the headings only.
  MERIDAN_LINE(frame);
  DbUseArea(Value(false), Value(), Value(cFile));
  MERIDAN_LINE(frame);
  aFeld = DbStruct();

  MERIDAN_LINE(frame);
  InfoInput in{cFile, cFileNoExt(cFile), nArea, FieldRows(aFeld)};
  lWritten = WriteInfoFile(cFile1, InfoLines(in, show.width ? show.width : SystemTextWidth()));

  MERIDAN_LINE(frame);
  DbCloseAll();

  // Only this run's file is shown: an old file of the same name that could
  // not be replaced is stale and counts as not written.
  MERIDAN_LINE(frame);
  if (lWritten) {
    std::string cmd = "Notepad.exe " + cFile1;
    if (show.launch) show.launch(cmd); else WinExec(cmd);
  } else {
    std::string text = "Die Datei : " + cFile1 + " wurde nicht erzeugt !";
    if (show.alert) show.alert(text, "ACHTUNG"); else MsgAlert({Value(text), Value("ACHTUNG")});
  }
}

}  // namespace meridan
