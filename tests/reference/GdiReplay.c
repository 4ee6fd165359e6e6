/* Replays drawing calls with the Windows graphics device on a 32-bit DIB
 * section and writes the pixels out, so that our canvas can be compared with
 * another implementation of the same raster rules. Built with mingw-w64 and
 * run under Wine by make-references.sh; never part of the normal build.
 *
 * Reads commands, one a line, from standard input:
 *   surface W H          a new W x H picture, all black
 *   pen COLOR WIDTH      a solid pen (0x00BBGGRR); width 0 or 1 is one pixel
 *   brush COLOR          a solid brush
 *   fillrect L T R B
 *   rectangle X1 Y1 X2 Y2
 *   ellipse X1 Y1 X2 Y2
 *   line X1 Y1 X2 Y2     MoveToEx to the first point, LineTo the second
 *   dump                 writes W * H little-endian 0x00BBGGRR values
 * and writes the dumps, in order, to standard output. Exits non-zero with a
 * message on standard error at the first line it cannot follow. */
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

struct picture {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ first_bitmap;
  const DWORD *bits;
  int width, height;
  HPEN pen;
  HBRUSH brush;
};

static void fail(int line, const char *message) {
  fprintf(stderr, "GdiReplay: line %d: %s\n", line, message);
  exit(1);
}

static void release(struct picture *p) {
  if (!p->dc) return;
  SelectObject(p->dc, GetStockObject(BLACK_PEN));
  SelectObject(p->dc, GetStockObject(WHITE_BRUSH));
  SelectObject(p->dc, p->first_bitmap);
  if (p->pen) DeleteObject(p->pen);
  if (p->brush) DeleteObject(p->brush);
  DeleteObject(p->bitmap);
  DeleteDC(p->dc);
  memset(p, 0, sizeof *p);
}

static int create(struct picture *p, int width, int height) {
  BITMAPINFO info;
  void *bits = NULL;
  memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height; /* rows from the top down */
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  p->dc = CreateCompatibleDC(NULL);
  p->bitmap = CreateDIBSection(p->dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
  if (!p->dc || !p->bitmap) return 0;
  p->first_bitmap = SelectObject(p->dc, p->bitmap);
  p->bits = bits;
  p->width = width;
  p->height = height;
  memset(bits, 0, (size_t)width * height * 4);
  return 1;
}

static void select_pen(struct picture *p, COLORREF color, int width) {
  HPEN pen = CreatePen(PS_SOLID, width, color);
  SelectObject(p->dc, pen);
  if (p->pen) DeleteObject(p->pen);
  p->pen = pen;
}

static void select_brush(struct picture *p, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  SelectObject(p->dc, brush);
  if (p->brush) DeleteObject(p->brush);
  p->brush = brush;
}

/* The DIB holds 0x00RRGGBB; the dump holds 0x00BBGGRR like a COLORREF. */
static void dump(const struct picture *p) {
  size_t count = (size_t)p->width * p->height, i;
  GdiFlush();
  for (i = 0; i < count; i++) {
    DWORD v = p->bits[i];
    DWORD swapped = ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
    fwrite(&swapped, 4, 1, stdout);
  }
}

int main(void) {
  struct picture p;
  char text[256], command[32];
  int line = 0;
  memset(&p, 0, sizeof p);
  _setmode(_fileno(stdout), _O_BINARY);
  while (fgets(text, sizeof text, stdin)) {
    long a = 0, b = 0, c = 0, d = 0;
    unsigned long color = 0;
    int fields;
    ++line;
    if (sscanf(text, "%31s", command) != 1) continue;
    if (strcmp(command, "surface") == 0) {
      if (sscanf(text, "%*s %ld %ld", &a, &b) != 2 || a < 1 || b < 1 || a > 8192 || b > 8192)
        fail(line, "surface needs a width and a height from 1 to 8192");
      release(&p);
      if (!create(&p, (int)a, (int)b)) fail(line, "cannot create the picture");
      continue;
    }
    if (!p.dc) fail(line, "drawing before the first surface");
    if (strcmp(command, "pen") == 0) {
      if (sscanf(text, "%*s %lx %ld", &color, &a) != 2 || a < 0) fail(line, "pen needs a colour and a width");
      select_pen(&p, (COLORREF)color, (int)a);
    } else if (strcmp(command, "brush") == 0) {
      if (sscanf(text, "%*s %lx", &color) != 1) fail(line, "brush needs a colour");
      select_brush(&p, (COLORREF)color);
    } else if (strcmp(command, "dump") == 0) {
      dump(&p);
    } else {
      fields = sscanf(text, "%*s %ld %ld %ld %ld", &a, &b, &c, &d);
      if (fields != 4) fail(line, "a shape needs four coordinates");
      if (strcmp(command, "fillrect") == 0) {
        RECT r;
        r.left = a, r.top = b, r.right = c, r.bottom = d;
        FillRect(p.dc, &r, p.brush);
      } else if (strcmp(command, "rectangle") == 0) {
        Rectangle(p.dc, (int)a, (int)b, (int)c, (int)d);
      } else if (strcmp(command, "ellipse") == 0) {
        Ellipse(p.dc, (int)a, (int)b, (int)c, (int)d);
      } else if (strcmp(command, "line") == 0) {
        MoveToEx(p.dc, (int)a, (int)b, NULL);
        LineTo(p.dc, (int)c, (int)d);
      } else {
        fail(line, "unknown command");
      }
    }
  }
  release(&p);
  return fflush(stdout) == 0 ? 0 : 1;
}
