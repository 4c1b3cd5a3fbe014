#include "help/HelpDocument.h"

#include <hpdf.h>
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <fstream>
#include <sstream>

#include "base/Printf.h"
#include "help/HelpMarkup.h"
#include "store/FileWriter.h"

namespace tempovia {
namespace {

// libharu's error handler only records; every step checks afterwards.
struct PdfError {
  bool failed = false;
  unsigned long errorNo = 0;
  unsigned long detailNo = 0;
};

void RecordError(HPDF_STATUS errorNo, HPDF_STATUS detailNo, void* data) {
  auto* error = static_cast<PdfError*>(data);
  if (!error->failed) {
    error->errorNo = errorNo;
    error->detailNo = detailNo;
  }
  error->failed = true;
}

// A document with the four faces loaded; freed with the object.
class PdfSession : public HelpTextMeasure {
 public:
  PdfSession() : m_doc(HPDF_New(&RecordError, &m_error)) {
    if (m_doc == nullptr) {
      m_error.failed = true;
      return;
    }
    // The texts are Windows-1252, which WinAnsiEncoding shows as written.
    static constexpr std::array<const char*, 4> kFontNames{"Helvetica", "Helvetica-Bold", "Courier", "Courier-Bold"};
    for (std::size_t i = 0; i < kFontNames.size(); ++i)
      m_fonts[i] = HPDF_GetFont(m_doc, kFontNames[i], "WinAnsiEncoding");
    HPDF_SetCompressionMode(m_doc, HPDF_COMP_ALL);
  }
  ~PdfSession() override {
    if (m_doc != nullptr) HPDF_Free(m_doc);
  }
  PdfSession(const PdfSession&) = delete;
  PdfSession& operator=(const PdfSession&) = delete;

  double Width(std::string_view text, HelpFace face, double size) const override {
    const HPDF_Font font = Font(face);
    if (font == nullptr || text.empty()) return 0;
    const HPDF_TextWidth width =
        HPDF_Font_TextWidth(font, reinterpret_cast<const HPDF_BYTE*>(text.data()), static_cast<HPDF_UINT>(text.size()));
    return width.width * size / 1000.0;
  }

  HPDF_Doc Doc() const { return m_doc; }
  HPDF_Font Font(HelpFace face) const { return m_fonts[static_cast<std::size_t>(face)]; }
  bool Failed() const { return m_error.failed; }
  std::string ErrorText() const {
    if (m_doc == nullptr) return "the PDF library could not start a document";
    return Printf("PDF library error %04X, detail %u", static_cast<unsigned>(m_error.errorNo),
                  static_cast<unsigned>(m_error.detailNo));
  }

 private:
  PdfError m_error;
  HPDF_Doc m_doc = nullptr;
  std::array<HPDF_Font, 4> m_fonts{};
};

// Bookmarks and the document information are PDF text strings, whose
// single-byte encoding differs from Windows-1252 between 0x80 and 0x9F: those
// few characters are given as their nearest ASCII.
std::string PdfTextString(const std::string& text) {
  std::string out;
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80 || b >= 0xA0) {
      out += c;
    } else if (b == 0x91 || b == 0x92 || b == 0x82 || b == 0x8B || b == 0x9B) {
      out += '\'';
    } else if (b == 0x93 || b == 0x94 || b == 0x84) {
      out += '"';
    } else if (b == 0x96 || b == 0x97) {
      out += '-';
    } else if (b == 0x85) {
      out += "...";
    } else if (b == 0x95) {
      out += '*';
    } else {
      out += '?';
    }
  }
  return out;
}

HPDF_REAL Real(double value) {
  return static_cast<HPDF_REAL>(value);
}

HPDF_REAL Channel(std::uint8_t value) {
  return static_cast<HPDF_REAL>(value / 255.0);
}

void Draw(HPDF_Page page, const PdfSession& session, const HelpDrawOp& op) {
  switch (op.kind) {
    case HelpDrawOp::Kind::Text:
      HPDF_Page_SetRGBFill(page, Channel(op.colour.r), Channel(op.colour.g), Channel(op.colour.b));
      HPDF_Page_BeginText(page);
      HPDF_Page_SetFontAndSize(page, session.Font(op.face), Real(op.size));
      HPDF_Page_TextOut(page, Real(op.x), Real(op.y), op.text.c_str());
      HPDF_Page_EndText(page);
      break;
    case HelpDrawOp::Kind::Fill:
      HPDF_Page_SetRGBFill(page, Channel(op.colour.r), Channel(op.colour.g), Channel(op.colour.b));
      HPDF_Page_Rectangle(page, Real(op.x), Real(op.y), Real(op.width), Real(op.height));
      HPDF_Page_Fill(page);
      break;
    case HelpDrawOp::Kind::Rule:
      HPDF_Page_SetRGBStroke(page, Channel(op.colour.r), Channel(op.colour.g), Channel(op.colour.b));
      HPDF_Page_SetLineWidth(page, Real(op.height));
      HPDF_Page_MoveTo(page, Real(op.x), Real(op.y));
      HPDF_Page_LineTo(page, Real(op.x + op.width), Real(op.y));
      HPDF_Page_Stroke(page);
      break;
  }
}

// The whole file, made in memory so that a failure never reaches the disk.
bool ReadBack(HPDF_Doc doc, std::vector<std::uint8_t>& bytes) {
  if (HPDF_SaveToStream(doc) != HPDF_OK) return false;
  bytes.resize(HPDF_GetStreamSize(doc));
  HPDF_ResetStream(doc);
  std::size_t done = 0;
  while (done < bytes.size()) {
    HPDF_UINT32 size = static_cast<HPDF_UINT32>(bytes.size() - done);
    const HPDF_STATUS status = HPDF_ReadFromStream(doc, bytes.data() + done, &size);
    if ((status != HPDF_OK && status != HPDF_STREAM_EOF) || size == 0) return false;
    done += size;
  }
  return true;
}

}  // namespace

Status HelpDocument::Parse(std::string_view utf8) {
  m_pageCount = 0;
  return ParseHelpMarkup(utf8, m_blocks);
}

Status HelpDocument::Load(const std::filesystem::path& source) {
  m_blocks.clear();
  m_pageCount = 0;
  errno = 0;
  std::ifstream in(source, std::ios::binary);
  if (!in) return Status::Error("Cannot read " + FileErrorText(source, errno != 0 ? errno : ENOENT));
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return Status::Error("Cannot read " + FileErrorText(source, errno != 0 ? errno : EIO));
  if (Status parsed = Parse(text.str()); !parsed) return Status::Error(source.string() + ": " + parsed.message());
  return Status::Ok();
}

std::string HelpDocument::Title() const {
  for (const HelpBlock& block : m_blocks)
    if (block.kind == BlockKind::Title) return PlainText(block.text);
  return {};
}

Status HelpDocument::LayOut(std::vector<HelpPage>& pages) const {
  pages.clear();
  if (m_blocks.empty()) return Status::Error("There is no help text to lay out.");
  const PdfSession session;
  if (session.Failed()) return Status::Error("Cannot lay the help text out: " + session.ErrorText());
  pages = HelpLayout(session).LayOut(m_blocks);
  return Status::Ok();
}

Status HelpDocument::Save(const std::filesystem::path& path) {
  m_pageCount = 0;
  if (m_blocks.empty()) return Status::Error("There is no help text to save as " + path.string());
  PdfSession session;
  const auto failure = [&] { return Status::Error("Cannot make " + path.string() + ": " + session.ErrorText()); };
  if (session.Failed()) return failure();
  const HPDF_Doc doc = session.Doc();

  const std::vector<HelpPage> pages = HelpLayout(session).LayOut(m_blocks);
  const std::string title = PdfTextString(Title());
  HPDF_SetInfoAttr(doc, HPDF_INFO_TITLE, title.c_str());
  HPDF_SetInfoAttr(doc, HPDF_INFO_CREATOR, "Tempovia");
  HPDF_SetPageMode(doc, HPDF_PAGE_MODE_USE_OUTLINE);

  HPDF_Outline section = nullptr;
  for (const HelpPage& laid : pages) {
    const HPDF_Page page = HPDF_AddPage(doc);
    if (session.Failed()) return failure();
    HPDF_Page_SetSize(page, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
    for (const HelpDrawOp& op : laid.ops) Draw(page, session, op);
    for (const HelpBookmark& bookmark : laid.bookmarks) {
      const std::string name = PdfTextString(bookmark.title);
      const HPDF_Outline parent = bookmark.level > 1 ? section : nullptr;
      const HPDF_Outline outline = HPDF_CreateOutline(doc, parent, name.c_str(), nullptr);
      if (bookmark.level <= 1) section = outline;
      const HPDF_Destination destination = HPDF_Page_CreateDestination(page);
      HPDF_Destination_SetFitH(destination, Real(bookmark.top + 8));
      HPDF_Outline_SetDestination(outline, destination);
    }
    if (session.Failed()) return failure();
  }

  std::vector<std::uint8_t> bytes;
  if (!ReadBack(doc, bytes) || session.Failed()) return failure();
  const Status written = ReplaceFileWith(path, [&bytes](int fd, FileWriter& writer) {
    if (const int error = writer.WriteAt(fd, bytes, 0); error != 0) return error;
    // Help is read by whoever runs the program, not only by whoever built it.
    return ::fchmod(fd, 0644) == 0 ? 0 : errno;
  });
  if (!written) return written;
  m_pageCount = static_cast<int>(pages.size());
  return Status::Ok();
}

}  // namespace tempovia
