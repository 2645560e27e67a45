#!/usr/bin/env python3
"""Writes res/Vantrel.qdx, the template library, from the designs below.

Each template holds the applet, menu and item styles of a complete design and a
menu tree to start from. Colours are given as (red, green, blue) and stored as
red + 256 * green + 65536 * blue. Run from the repository root:
    python3 tools/make_templates.py
"""

import os

def rgb(r, g, b):
    return r + 256 * g + 65536 * b

# Font names, sizes (index into 9,12,14,16,18,20,22,24,...), styles, borders,
# fills and alignments are stored as list indexes.
TIMES, HELVETICA, COURIER = 0, 1, 2
PT9, PT12, PT14, PT16, PT18 = 0, 1, 2, 3, 4
PLAIN, BOLD, ITALIC = 0, 1, 2
B_PLAIN, B_RAISED, B_SUNKEN = 0, 1, 2
F_NONE, F_FULL = 0, 1
F_H_BLACK_TO, F_H_WHITE_TO, F_H_TO_BLACK, F_H_TO_WHITE = 2, 3, 4, 5
F_V_BLACK_TO, F_V_WHITE_TO, F_V_TO_BLACK, F_V_TO_WHITE = 6, 7, 8, 9
LEFT, CENTER, RIGHT = 0, 1, 2

def align(image, text):
    return image * 3 + text

def state(bk, fr, border, fill, font, size, style, al):
    return dict(BKColor=rgb(*bk), FRColor=rgb(*fr), ItemBorderStyle=border,
                ItemFillStyle=fill, FontName=font, FontSize=size, FontStyle=style,
                Align=al)

def menu(bk, bkstyle, orient, width, height, gap, border):
    return dict(BKColor=rgb(*bk), BKStyle=bkstyle, MenuAlign=orient, Width=width,
                Height=height, ItemGap=gap, BorderThick=border)

# Menu trees: (label, link, target, [sub items as (label, link, target)])
SITE = [
    ("Home", "index.html", "_self", []),
    ("Products", "products.html", "_self", [
        ("Software", "products/software.html", "_self"),
        ("Hardware", "products/hardware.html", "_self"),
        ("Accessories", "products/accessories.html", "_self"),
        ("Price list", "products/prices.html", "_self"),
    ]),
    ("Services", "services.html", "_self", [
        ("Consulting", "services/consulting.html", "_self"),
        ("Training", "services/training.html", "_self"),
        ("Support", "services/support.html", "_self"),
    ]),
    ("About us", "about.html", "_self", [
        ("Our team", "about/team.html", "_self"),
        ("History", "about/history.html", "_self"),
        ("Careers", "about/careers.html", "_self"),
    ]),
    ("Contact", "contact.html", "_self", []),
]

BLOG = [
    ("Home", "index.html", "_self", []),
    ("Articles", "articles.html", "_self", [
        ("Latest", "articles/latest.html", "_self"),
        ("Most read", "articles/popular.html", "_self"),
        ("Archive", "articles/archive.html", "_self"),
    ]),
    ("Photos", "photos.html", "_self", [
        ("Travel", "photos/travel.html", "_self"),
        ("Nature", "photos/nature.html", "_self"),
    ]),
    ("About me", "about.html", "_self", []),
]

SCHOOL = [
    ("Welcome", "index.html", "_self", []),
    ("Courses", "courses.html", "_self", [
        ("Languages", "courses/languages.html", "_self"),
        ("Mathematics", "courses/maths.html", "_self"),
        ("Sciences", "courses/sciences.html", "_self"),
        ("Arts", "courses/arts.html", "_self"),
    ]),
    ("Timetable", "timetable.html", "_self", []),
    ("Library", "library.html", "_self", [
        ("Catalogue", "library/catalogue.html", "_self"),
        ("Opening hours", "library/hours.html", "_self"),
    ]),
    ("News", "news.html", "_self", []),
    ("Contact", "contact.html", "_self", []),
]

RESTAURANT = [
    ("Home", "index.html", "_self", []),
    ("Menu", "menu.html", "_self", [
        ("Starters", "menu.html#starters", "_self"),
        ("Main courses", "menu.html#mains", "_self"),
        ("Desserts", "menu.html#desserts", "_self"),
        ("Wine list", "wine.html", "_self"),
    ]),
    ("Reservations", "booking.html", "_self", []),
    ("Find us", "map.html", "_blank", []),
]

DEV = [
    ("Home", "index.html", "_self", []),
    ("Docs", "docs/index.html", "_self", [
        ("Getting started", "docs/start.html", "_self"),
        ("Reference", "docs/reference.html", "_self"),
        ("FAQ", "docs/faq.html", "_self"),
    ]),
    ("Download", "download.html", "_self", []),
    ("Source", "source.html", "_blank", []),
    ("Forum", "forum.html", "_blank", []),
]

SHOP = [
    ("Shop", "index.html", "_self", []),
    ("Women", "women.html", "_self", [
        ("Dresses", "women/dresses.html", "_self"),
        ("Shoes", "women/shoes.html", "_self"),
        ("Bags", "women/bags.html", "_self"),
    ]),
    ("Men", "men.html", "_self", [
        ("Shirts", "men/shirts.html", "_self"),
        ("Shoes", "men/shoes.html", "_self"),
        ("Watches", "men/watches.html", "_self"),
    ]),
    ("Sale", "sale.html", "_self", []),
    ("Cart", "cart.html", "_self", []),
]

TEMPLATES = []

def template(name, description, app_bk, pos, mm, sm, mi, si, tree, looks=None):
    TEMPLATES.append(dict(name=name, description=description, app_bk=rgb(*app_bk),
                          pos=pos, mm=mm, sm=sm, mi=mi, si=si, tree=tree, looks=looks or {}))

# Today's look (see src/model/LookValues.h), kept in a section of its own,
# "<name> Looks", which older readers pass over. `looks` maps "mm" and "sm"
# to menu_look(...) and "mi" and "si" to a list of three font(...), one per
# state; leave out what keeps the classic look. Set the classic FontName,
# FontSize and FontStyle of each state to the nearest the applet holds.
SYSTEM_UI, PAGE_FONT = 1, 2
SHADOW_SOFT, SHADOW_STRONG = 1, 2

def menu_look(item_radius=0, panel_radius=0, shadow=0, label_inset=0, arrows=0, fade_in=0):
    return dict(ItemRadius=item_radius, PanelRadius=panel_radius, Shadow=shadow,
                LabelInset=label_inset, Arrows=arrows, FadeIn=fade_in)

def font(family=0, px=0, weight=0, italic=0):
    return dict(FontFamily=family, FontPx=px, FontWeight=weight, FontItalic=italic)

WHITE, BLACK = (255, 255, 255), (0, 0, 0)

template("Ocean",
         "Ocean Blue: vertical menu, raised blue buttons with a soft shade, sub menus to the right",
         (232, 240, 250), (8, 8),
         menu((20, 60, 120), 0, 0, 130, 26, 3, 2),
         menu((20, 60, 120), 3, 0, 150, 24, 0, 1),
         [state((40, 90, 170), WHITE, B_RAISED, F_H_TO_BLACK, HELVETICA, PT12, BOLD, align(LEFT, LEFT)),
          state((64, 118, 191), WHITE, B_RAISED, F_FULL, HELVETICA, PT12, BOLD, align(LEFT, LEFT)),
          state((20, 60, 120), (255, 230, 120), B_SUNKEN, F_FULL, HELVETICA, PT12, BOLD, align(LEFT, LEFT))],
         [state((225, 236, 250), (20, 50, 100), B_PLAIN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, LEFT)),
          state((64, 118, 191), WHITE, B_PLAIN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, LEFT)),
          state((20, 60, 120), WHITE, B_SUNKEN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, LEFT))],
         SITE)

template("Classic",
         "Classic Grey: vertical menu of raised grey buttons that press in when clicked",
         (212, 208, 200), (6, 6),
         menu((128, 128, 128), 0, 0, 120, 24, 2, 2),
         menu((128, 128, 128), 3, 0, 140, 24, 0, 2),
         [state((212, 208, 200), BLACK, B_RAISED, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, CENTER)),
          state((228, 226, 220), (0, 0, 128), B_RAISED, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, CENTER)),
          state((190, 186, 178), BLACK, B_SUNKEN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, CENTER))],
         [state((212, 208, 200), BLACK, B_PLAIN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, LEFT)),
          state((10, 36, 106), WHITE, B_PLAIN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, LEFT)),
          state((10, 36, 106), WHITE, B_SUNKEN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, LEFT))],
         SITE)

template("Sunset",
         "Sunset: horizontal bar in warm orange shades, with drop-down sub menus",
         (255, 246, 235), (6, 6),
         menu((200, 90, 20), 0, 1, 100, 28, 2, 2),
         menu((200, 90, 20), 3, 0, 130, 24, 0, 1),
         [state((176, 96, 29), WHITE, B_RAISED, F_V_TO_BLACK, TIMES, PT14, BOLD, align(LEFT, CENTER)),
          state((250, 170, 60), (90, 30, 0), B_RAISED, F_V_WHITE_TO, TIMES, PT14, BOLD, align(LEFT, CENTER)),
          state((191, 86, 19), WHITE, B_SUNKEN, F_FULL, TIMES, PT14, BOLD, align(LEFT, CENTER))],
         [state((255, 236, 210), (120, 50, 0), B_PLAIN, F_FULL, TIMES, PT12, PLAIN, align(LEFT, LEFT)),
          state((250, 170, 60), (90, 30, 0), B_PLAIN, F_H_TO_WHITE, TIMES, PT12, PLAIN, align(LEFT, LEFT)),
          state((191, 86, 19), WHITE, B_SUNKEN, F_FULL, TIMES, PT12, PLAIN, align(LEFT, LEFT))],
         BLOG)

template("Forest",
         "Forest: vertical menu in greens with an elegant serif type, shaded from the left",
         (240, 246, 236), (10, 10),
         menu((40, 80, 40), 1, 0, 140, 26, 4, 1),
         menu((40, 80, 40), 3, 0, 150, 24, 0, 1),
         [state((60, 120, 60), (240, 250, 230), B_PLAIN, F_H_BLACK_TO, TIMES, PT14, ITALIC, align(LEFT, LEFT)),
          state((80, 129, 64), WHITE, B_RAISED, F_H_BLACK_TO, TIMES, PT14, ITALIC, align(LEFT, LEFT)),
          state((40, 80, 40), (255, 240, 180), B_SUNKEN, F_FULL, TIMES, PT14, ITALIC, align(LEFT, LEFT))],
         [state((230, 242, 222), (30, 70, 30), B_PLAIN, F_FULL, TIMES, PT12, PLAIN, align(LEFT, LEFT)),
          state((80, 129, 64), WHITE, B_PLAIN, F_FULL, TIMES, PT12, PLAIN, align(LEFT, LEFT)),
          state((40, 80, 40), WHITE, B_SUNKEN, F_FULL, TIMES, PT12, PLAIN, align(LEFT, LEFT))],
         SCHOOL)

template("Terminal",
         "Terminal: dark horizontal bar with green monospaced text, for technical sites",
         (16, 16, 16), (4, 4),
         menu((0, 0, 0), 2, 1, 96, 24, 1, 1),
         menu((0, 0, 0), 3, 0, 140, 24, 0, 1),
         [state((24, 24, 24), (80, 220, 100), B_PLAIN, F_FULL, COURIER, PT12, BOLD, align(LEFT, CENTER)),
          state((40, 60, 40), (160, 255, 170), B_PLAIN, F_V_TO_BLACK, COURIER, PT12, BOLD, align(LEFT, CENTER)),
          state((80, 220, 100), (0, 0, 0), B_SUNKEN, F_FULL, COURIER, PT12, BOLD, align(LEFT, CENTER))],
         [state((24, 24, 24), (80, 220, 100), B_PLAIN, F_FULL, COURIER, PT12, PLAIN, align(LEFT, LEFT)),
          state((40, 60, 40), (160, 255, 170), B_PLAIN, F_FULL, COURIER, PT12, PLAIN, align(LEFT, LEFT)),
          state((80, 220, 100), (0, 0, 0), B_PLAIN, F_FULL, COURIER, PT12, PLAIN, align(LEFT, LEFT))],
         DEV)

template("Paper",
         "Paper: light and flat, plain text on a white page that turns blue under the pointer",
         WHITE, (4, 4),
         menu(WHITE, 0, 0, 120, 24, 2, 1),
         menu((200, 200, 200), 1, 0, 140, 24, 0, 1),
         [state(WHITE, (60, 60, 60), B_PLAIN, F_NONE, HELVETICA, PT12, PLAIN, align(LEFT, LEFT)),
          state((240, 240, 240), (0, 102, 204), B_PLAIN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, LEFT)),
          state((225, 225, 225), (0, 70, 150), B_PLAIN, F_FULL, HELVETICA, PT12, BOLD, align(LEFT, LEFT))],
         [state(WHITE, (60, 60, 60), B_PLAIN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, LEFT)),
          state((240, 240, 240), (0, 102, 204), B_PLAIN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, LEFT)),
          state((225, 225, 225), (0, 70, 150), B_PLAIN, F_FULL, HELVETICA, PT12, BOLD, align(LEFT, LEFT))],
         BLOG)

template("Royal",
         "Royal: deep purple vertical menu with gold lettering, sunken when clicked",
         (245, 240, 250), (8, 8),
         menu((60, 20, 90), 3, 0, 140, 28, 2, 2),
         menu((60, 20, 90), 3, 0, 150, 24, 0, 2),
         [state((90, 40, 130), (250, 210, 90), B_RAISED, F_V_TO_BLACK, TIMES, PT14, BOLD, align(LEFT, CENTER)),
          state((120, 60, 170), (255, 235, 150), B_RAISED, F_V_TO_BLACK, TIMES, PT14, BOLD, align(LEFT, CENTER)),
          state((60, 20, 90), (250, 210, 90), B_SUNKEN, F_FULL, TIMES, PT14, BOLD, align(LEFT, CENTER))],
         [state((110, 60, 150), (255, 235, 170), B_RAISED, F_FULL, TIMES, PT12, PLAIN, align(LEFT, LEFT)),
          state((140, 90, 180), WHITE, B_RAISED, F_FULL, TIMES, PT12, PLAIN, align(LEFT, LEFT)),
          state((60, 20, 90), (250, 210, 90), B_SUNKEN, F_FULL, TIMES, PT12, PLAIN, align(LEFT, LEFT))],
         RESTAURANT)

template("Candy",
         "Candy: pastel horizontal tabs in soft colours, friendly for shops and hobbies",
         (255, 250, 252), (6, 6),
         menu((255, 182, 193), 0, 1, 90, 26, 4, 1),
         menu((255, 182, 193), 3, 0, 120, 24, 0, 1),
         [state((255, 205, 220), (140, 40, 90), B_RAISED, F_V_WHITE_TO, HELVETICA, PT12, BOLD, align(LEFT, CENTER)),
          state((190, 230, 250), (20, 80, 140), B_RAISED, F_V_WHITE_TO, HELVETICA, PT12, BOLD, align(LEFT, CENTER)),
          state((200, 240, 200), (30, 100, 30), B_SUNKEN, F_FULL, HELVETICA, PT12, BOLD, align(LEFT, CENTER))],
         [state((255, 235, 242), (140, 40, 90), B_PLAIN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, LEFT)),
          state((190, 230, 250), (20, 80, 140), B_PLAIN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, LEFT)),
          state((200, 240, 200), (30, 100, 30), B_SUNKEN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, LEFT))],
         SHOP)

template("Corporate",
         "Corporate: navy horizontal bar with white text and clean drop-down lists",
         (244, 246, 248), (0, 0),
         menu((16, 38, 70), 2, 1, 110, 30, 0, 1),
         menu((16, 38, 70), 3, 0, 150, 24, 0, 1),
         [state((16, 38, 70), WHITE, B_PLAIN, F_FULL, HELVETICA, PT12, BOLD, align(LEFT, CENTER)),
          state((36, 80, 140), WHITE, B_PLAIN, F_V_TO_BLACK, HELVETICA, PT12, BOLD, align(LEFT, CENTER)),
          state((230, 150, 30), (16, 38, 70), B_PLAIN, F_FULL, HELVETICA, PT12, BOLD, align(LEFT, CENTER))],
         [state(WHITE, (16, 38, 70), B_PLAIN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, LEFT)),
          state((226, 234, 244), (16, 38, 70), B_PLAIN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, LEFT)),
          state((36, 80, 140), WHITE, B_PLAIN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, LEFT))],
         SITE)

template("Simple",
         "Simple: four plain grey items and no sub menus, a neutral start for your own design",
         WHITE, (0, 0),
         menu((192, 192, 192), 0, 0, 120, 24, 2, 1),
         menu((192, 192, 192), 0, 0, 120, 24, 0, 1),
         [state((224, 224, 224), BLACK, B_RAISED, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, CENTER)),
          state((240, 240, 240), BLACK, B_RAISED, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, CENTER)),
          state((200, 200, 200), BLACK, B_SUNKEN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, CENTER))],
         [state((224, 224, 224), BLACK, B_PLAIN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, LEFT)),
          state((240, 240, 240), BLACK, B_PLAIN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, LEFT)),
          state((200, 200, 200), BLACK, B_SUNKEN, F_FULL, HELVETICA, PT12, PLAIN, align(LEFT, LEFT))],
         [("item1", "", "", []), ("item2", "", "", []), ("item3", "", "", []), ("item4", "", "", [])])

STYLE_KEYS = ["BKColor", "FRColor", "ItemBorderStyle", "ItemFillStyle",
              "FontName", "FontSize", "FontStyle", "Align"]
MENU_KEYS = ["BKColor", "BKStyle", "MenuAlign", "Width", "Height", "ItemGap", "BorderThick"]


def section_lines(t):
    lines = ["[%s]" % t["name"], "Description=%s" % t["description"],
             "m_appBKColor=%d" % t["app_bk"], "m_appBKImagePath=",
             "m_xPos=%d" % t["pos"][0], "m_yPos=%d" % t["pos"][1]]
    for prefix, m in (("mm", t["mm"]), ("sm", t["sm"])):
        lines += ["m_%s%s=%d" % (prefix, k, m[k]) for k in MENU_KEYS]
    for prefix, states in (("mi", t["mi"]), ("si", t["si"])):
        for n, s in enumerate(states, 1):
            lines += ["m_%s%s%d=%d" % (prefix, k, n, s[k]) for k in STYLE_KEYS]
    tree = t["tree"]
    counts, pairs, items = [], [], []
    sub_no = 0
    for i, (label, link, target, subs) in enumerate(tree):
        items.append("I0-%d=%s,,%s,%s" % (i, label, target, link))
        if subs:
            sub_no += 1
            counts.append("%d," % len(subs))
            pairs.append("%d-%d," % (i, sub_no))
            for j, (slabel, slink, starget) in enumerate(subs):
                items.append("I%d-%d=%s,,%s,%s" % (sub_no, j, slabel, starget, slink))
    lines.append("Relation=%d,%d,%s%s" % (sub_no + 1, len(tree), "".join(counts), "".join(pairs)))
    lines += items
    looks = []
    for prefix in ("mm", "sm"):
        for k, v in t["looks"].get(prefix, {}).items():
            if v:
                looks.append("m_%s%s=%d" % (prefix, k, v))
    for prefix in ("mi", "si"):
        for n, f in enumerate(t["looks"].get(prefix, []), 1):
            for k, v in f.items():
                if v:
                    looks.append("m_%s%s%d=%d" % (prefix, k, n, v))
    if looks:
        lines += ["", "[%s Looks]" % t["name"]] + looks
    return lines


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    lines = ["; Vantrel template library: one section per template, listed in TemplateKey.",
             "; Generated by tools/make_templates.py from the designs written there: change",
             "; them there and run it again (a hand edit here is lost on the next run).",
             "[TEMPLATE]", "TemplateKey=" + ",".join(t["name"] for t in TEMPLATES)]
    for t in TEMPLATES:
        lines.append("")
        lines += section_lines(t)
    with open(os.path.join(root, "res", "Vantrel.qdx"), "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
