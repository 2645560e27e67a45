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

# Today's look (see src/model/config/LookValues.h), kept in a section of its own,
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

# Templates of today: the system's own type in a weight of its own, room
# around the label, rounded items and panels, soft shadows under drop-downs
# and arrows on the items that open one. Main items are at least 40 px high
# and labels at least 15 px; every state reads at WCAG AA (4.5:1). Light
# labels sit on a filled item, not on a transparent one over a dark menu: the
# small-screen form draws the items over the applet's background.
CLASSIC_SIZES = [9, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72]

def nearest_size(px):
    """The classic size index nearest to px (between two, the larger)."""
    best = 0
    for i, size in enumerate(CLASSIC_SIZES):
        if abs(size - px) <= abs(CLASSIC_SIZES[best] - px):
            best = i
    return best

def today(bk, fr, fill, px, weight=400, italic=0, al=align(LEFT, LEFT), border=B_PLAIN, family=SYSTEM_UI):
    """One item state in System UI (or the page's font): the classic values
    the applet is given (Helvetica, the nearest size, Bold from 600 up, else
    Italic when italic) and the look's values where those fall short."""
    size = nearest_size(px)
    style = BOLD if weight >= 600 else (ITALIC if italic else PLAIN)
    classic = weight == 400 or (weight == 700 and not italic)
    return (state(bk, fr, border, fill, HELVETICA, size, style, al),
            font(family, 0 if CLASSIC_SIZES[size] == px else px,
                 0 if classic else weight, 0 if classic else italic))

def template_of_today(name, description, app_bk, pos, mm, sm, mm_look, sm_look, mi, si, tree):
    template(name, description, app_bk, pos, mm, sm, [s for s, _ in mi], [s for s, _ in si], tree,
             dict(mm=mm_look, sm=sm_look, mi=[f for _, f in mi], si=[f for _, f in si]))

STUDIO = [
    ("Work", "work.html", "_self", [
        ("Branding", "work/branding.html", "_self"),
        ("Web design", "work/web.html", "_self"),
        ("Illustration", "work/illustration.html", "_self"),
    ]),
    ("Studio", "studio.html", "_self", [
        ("Our story", "studio/story.html", "_self"),
        ("People", "studio/people.html", "_self"),
    ]),
    ("Journal", "journal.html", "_self", []),
    ("Contact", "contact.html", "_self", []),
]

APP = [
    ("Dashboard", "index.html", "_self", []),
    ("Projects", "projects.html", "_self", [
        ("Active", "projects/active.html", "_self"),
        ("Archived", "projects/archived.html", "_self"),
        ("New project", "projects/new.html", "_self"),
    ]),
    ("Reports", "reports.html", "_self", [
        ("Monthly", "reports/monthly.html", "_self"),
        ("Yearly", "reports/yearly.html", "_self"),
    ]),
    ("Team", "team.html", "_self", []),
    ("Settings", "settings.html", "_self", []),
]

INK = (31, 41, 55)
SLATE = (51, 65, 85)
NIGHT = (15, 23, 42)

template_of_today("Flat",
         "Flat Bar: a flat white top bar in the system's type; the item under the pointer lights up in blue from below",
         (248, 250, 252), (0, 0),
         menu(WHITE, 2, 1, 130, 48, 0, 0),
         menu(WHITE, 3, 0, 200, 44, 0, 0),
         menu_look(label_inset=16, arrows=1),
         menu_look(panel_radius=8, shadow=SHADOW_SOFT, label_inset=16, fade_in=1),
         [today(WHITE, INK, F_NONE, 16, 500, al=align(LEFT, CENTER)),
          today((147, 197, 253), (30, 58, 138), F_V_WHITE_TO, 16, 500, al=align(LEFT, CENTER)),
          today((191, 219, 254), (23, 37, 84), F_FULL, 16, 600, al=align(LEFT, CENTER))],
         [today(WHITE, INK, F_FULL, 15),
          today((239, 246, 255), (29, 78, 216), F_FULL, 15),
          today((219, 234, 254), (30, 58, 138), F_FULL, 15, 600)],
         SITE)

template_of_today("Pills",
         "Pills: rounded pill buttons on a light page, indigo when chosen, with a floating card of sub items",
         (248, 250, 252), (8, 8),
         menu((248, 250, 252), 0, 1, 130, 40, 6, 0),
         menu(WHITE, 2, 0, 190, 40, 2, 0),
         menu_look(item_radius=16, label_inset=16, arrows=1),
         menu_look(item_radius=8, panel_radius=12, shadow=SHADOW_SOFT, label_inset=14, fade_in=1),
         [today((248, 250, 252), (30, 41, 59), F_NONE, 16, 500, al=align(LEFT, CENTER)),
          today((224, 231, 255), (55, 48, 163), F_FULL, 16, 500, al=align(LEFT, CENTER)),
          today((79, 70, 229), WHITE, F_FULL, 16, 600, al=align(LEFT, CENTER))],
         [today(WHITE, (30, 41, 59), F_FULL, 15),
          today((238, 242, 255), (55, 48, 163), F_FULL, 15),
          today((79, 70, 229), WHITE, F_FULL, 15, 500)],
         STUDIO)

template_of_today("Midnight",
         "Midnight: dark rounded sidebar with light type, sky blue when clicked, sub menus to the right",
         (241, 245, 249), (8, 8),
         menu(NIGHT, 2, 0, 220, 44, 4, 0),
         menu((30, 41, 59), 2, 0, 200, 42, 2, 0),
         menu_look(item_radius=8, panel_radius=12, label_inset=16, arrows=1),
         menu_look(item_radius=6, panel_radius=10, shadow=SHADOW_STRONG, label_inset=14),
         [today(NIGHT, (226, 232, 240), F_FULL, 16, 500),
          today((30, 41, 59), WHITE, F_FULL, 16, 500),
          today((56, 189, 248), NIGHT, F_FULL, 16, 600)],
         [today((30, 41, 59), (226, 232, 240), F_FULL, 15),
          today((51, 65, 85), WHITE, F_FULL, 15),
          today((56, 189, 248), NIGHT, F_FULL, 15, 600)],
         APP)

template_of_today("Links",
         "Links: plain blue text links on the page, each sub menu a white card with rounded corners and a shadow",
         WHITE, (0, 0),
         menu(WHITE, 0, 1, 120, 44, 4, 0),
         menu(WHITE, 3, 0, 210, 40, 0, 0),
         menu_look(item_radius=6, label_inset=12, arrows=1),
         menu_look(item_radius=6, panel_radius=12, shadow=SHADOW_STRONG, label_inset=16, fade_in=1),
         [today(WHITE, (37, 99, 235), F_NONE, 16, 500, al=align(LEFT, CENTER)),
          today((239, 246, 255), (29, 78, 216), F_FULL, 16, 500, al=align(LEFT, CENTER)),
          today((219, 234, 254), (30, 58, 138), F_FULL, 16, 600, al=align(LEFT, CENTER))],
         [today(WHITE, SLATE, F_NONE, 15),
          today((241, 245, 249), NIGHT, F_FULL, 15),
          today((219, 234, 254), (30, 58, 138), F_FULL, 15, 600)],
         BLOG)

template_of_today("Contrast",
         "High Contrast: black bar with large bold white type, yellow under the pointer, for every reader",
         WHITE, (0, 0),
         menu(BLACK, 2, 1, 150, 52, 0, 0),
         menu(BLACK, 3, 0, 220, 48, 0, 1),
         menu_look(label_inset=14, arrows=1),
         menu_look(label_inset=16),
         [today(BLACK, WHITE, F_FULL, 18, 700, al=align(LEFT, CENTER)),
          today((255, 214, 0), BLACK, F_FULL, 18, 700, al=align(LEFT, CENTER)),
          today(WHITE, BLACK, F_FULL, 18, 700, al=align(LEFT, CENTER))],
         [today(BLACK, WHITE, F_FULL, 17, 700),
          today((255, 214, 0), BLACK, F_FULL, 17, 700),
          today(WHITE, BLACK, F_FULL, 17, 700)],
         SITE)

template_of_today("Neutral",
         "Soft Neutral: warm grey rounded bar, quiet type and a soft white drop-down, for any site",
         (250, 250, 249), (8, 8),
         menu((245, 245, 244), 2, 1, 130, 44, 4, 0),
         menu(WHITE, 2, 0, 200, 40, 2, 0),
         menu_look(item_radius=8, panel_radius=12, label_inset=14, arrows=1),
         menu_look(item_radius=6, panel_radius=12, shadow=SHADOW_SOFT, label_inset=14, fade_in=1),
         [today((245, 245, 244), (41, 37, 36), F_NONE, 16, 500, al=align(LEFT, CENTER)),
          today((231, 229, 228), (28, 25, 23), F_FULL, 16, 500, al=align(LEFT, CENTER)),
          today((68, 64, 60), (250, 250, 249), F_FULL, 16, 500, al=align(LEFT, CENTER))],
         [today(WHITE, (41, 37, 36), F_NONE, 15),
          today((245, 245, 244), (28, 25, 23), F_FULL, 15),
          today((68, 64, 60), (250, 250, 249), F_FULL, 15)],
         RESTAURANT)

template_of_today("Brand",
         "Brand Bar: a bar in a strong brand colour with semibold white type and white drop-down cards",
         WHITE, (0, 0),
         menu((79, 70, 229), 2, 1, 130, 52, 0, 0),
         menu(WHITE, 2, 0, 200, 42, 0, 0),
         menu_look(label_inset=16, arrows=1),
         menu_look(panel_radius=8, shadow=SHADOW_SOFT, label_inset=16),
         [today((79, 70, 229), WHITE, F_FULL, 16, 600, al=align(LEFT, CENTER)),
          today((67, 56, 202), WHITE, F_FULL, 16, 600, al=align(LEFT, CENTER)),
          today((55, 48, 163), WHITE, F_FULL, 16, 600, al=align(LEFT, CENTER))],
         [today(WHITE, (30, 27, 75), F_NONE, 15),
          today((238, 242, 255), (55, 48, 163), F_FULL, 15),
          today((224, 231, 255), (49, 46, 129), F_FULL, 15, 600)],
         SHOP)

template_of_today("List",
         "Minimal List: a plain vertical list with room around each label and a light grey under the pointer",
         WHITE, (8, 8),
         menu(WHITE, 0, 0, 200, 40, 2, 0),
         menu(WHITE, 2, 0, 190, 40, 2, 0),
         menu_look(item_radius=6, label_inset=16, arrows=1),
         menu_look(item_radius=6, panel_radius=10, shadow=SHADOW_SOFT, label_inset=14),
         [today(WHITE, SLATE, F_NONE, 16),
          today((241, 245, 249), NIGHT, F_FULL, 16),
          today((226, 232, 240), NIGHT, F_FULL, 16, 600)],
         [today(WHITE, SLATE, F_NONE, 15),
          today((241, 245, 249), NIGHT, F_FULL, 15),
          today((226, 232, 240), NIGHT, F_FULL, 15, 600)],
         DEV)

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
