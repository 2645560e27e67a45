"""Saved pages for the browser tests: pages saved by the built vantrel-gen
(VANTREL_GEN) from templates or from changed projects, their params and menu
tree, and the pictures `vantrel-gen png` draws of them. Everything is written
under one scratch folder, made by start() and removed by finish()."""

import html
import os
import re
import shutil
import subprocess
import tempfile

import pngdiff

GEN = os.environ.get('VANTREL_GEN', '')

work = None


def start(prefix):
    """Makes the scratch folder; returns it."""
    global work
    work = tempfile.mkdtemp(prefix=prefix)
    return work


def finish():
    global work
    if work:
        shutil.rmtree(work, ignore_errors=True)
    work = None
    _saved.clear()
    _look_pictures.clear()


def gen(*args):
    env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
    return subprocess.run([GEN] + [str(a) for a in args], check=True, env=env,
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE).stdout


def read_text(path):
    with open(path, encoding='utf-8', newline='') as f:
        return f.read()


def write_text(path, text):
    with open(path, 'w', encoding='utf-8', newline='') as f:
        f.write(text)


_count = []


def template_count():
    """How many templates the library beside vantrel-gen holds (asked once)."""
    if not _count:
        _count.append(len(gen('templates').decode().splitlines()))
    return _count[0]


def folder(name):
    path = os.path.join(work, name)
    os.makedirs(path, exist_ok=True)
    return path


_saved = {}


def save_template(n, name=None):
    """Template n saved as a page in the folder `name`. The page of a
    template in its own folder (no name) is saved once per run and shared:
    it is only read, never changed."""
    if name is None and n in _saved:
        return _saved[n]
    page = os.path.join(folder(name or 'template%d' % n), 'page.htm')
    gen('save', '--template', n, page)
    if name is None:
        _saved[n] = page
    return page


def params(page):
    text = read_text(page)
    return {m.group(1): html.unescape(m.group(2))
            for m in re.finditer(r'<param name="([^"]*)" value="([^"]*)">', text)}


def menu_tree(p):
    """[(label, link, target, [(label, link, target), ...] or None), ...] from a page's params."""
    misc = p['Misc'].split(',')
    menus = int(misc[0])
    counts = [int(c) for c in misc[1:1 + menus]]

    def items(m):
        return [tuple(p['I%d-%d' % (m, i)].split(',')[k] for k in (0, 3, 2)) for i in range(counts[m])]
    owners = {int(a): int(k) for a, k in (pair.split('-') for pair in misc[1 + menus:] if pair)}
    return [it + ((items(owners[i]) if i in owners else None),) for i, it in enumerate(items(0))]


def sub_menu_owners(page):
    """The main items of the page's menu that own a sub menu."""
    return [i for i, it in enumerate(menu_tree(params(page))) if it[3]]


def picture(page, *extra):
    """The picture `vantrel-gen png` draws of the page's project."""
    out = page + ''.join('-' + str(e).lstrip('-') for e in extra) + '.png'
    gen('png', page[:-4] + '.qdx', out, *extra)
    with open(out, 'rb') as f:
        return pngdiff.read_png(f.read())


def crafted_page(name, general=None, style=None, items=None):
    """Template 0 saved with some project values changed: `general` by key,
    `style` by key stem for main and sub items in state 1 (Align1 sets
    m_miAlign1 and m_siAlign1), `items` replacing the item list."""
    page = save_template(0, name)
    qdx = page[:-4] + '.qdx'
    text = read_text(qdx)
    values = dict(general or {})
    for stem, (main, sub) in (style or {}).items():
        values['m_mi' + stem], values['m_si' + stem] = main, sub
    for key, value in values.items():
        text, count = re.subn(r'(?m)^(%s=)[^\r\n]*' % re.escape(key), lambda m: m.group(1) + str(value), text)
        assert count == 1, key
    if items:
        text = re.sub(r'\[Item\][^\[]*', '[Item]\n' + '\n'.join(items) + '\n\n', text)
    write_text(qdx, text)
    gen('save', qdx, page)
    return page


# Flat fills in three colours per menu, so that a pixel tells an item's state.
STATE_COLOURS = {'MIStyle1': '203040', 'MIStyle2': '30a050', 'MIStyle3': 'c04020',
                 'SIStyle1': 'e0e0f0', 'SIStyle2': 'f0c000', 'SIStyle3': '8020a0'}


def states_page(n=0):
    """Template n with each item style a flat fill of STATE_COLOURS."""
    page = save_template(n, 'states' if n == 0 else 'states%d' % n)
    text = read_text(page)
    for name, bk in STATE_COLOURS.items():
        text = re.sub(r'(<param name="%s" value=")[^"]*' % name, r'\g<1>%s,ffffff,11,h,12,p,ll,' % bk, text)
    write_text(page, text)
    return page


def colour(hex_text):
    return tuple(int(hex_text[i:i + 2], 16) for i in (0, 2, 4))


def near(a, b, tolerance=8):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


# What a picture of the menu shows, in the window's coordinates: the applet's
# box, the open sub menu, which floats beyond it, and the shadows of both
# (CSS's box-shadow reaches three deviations, 1.5 blur radii, beyond its box,
# as CMenuLayout::ShadowRect has it); nothing above or left of the applet
# unless arguments[0] asks for the whole (a picture of a page of a given
# width).
DRAWN_BOX = '''
const whole = arguments[0], a = document.querySelector("applet").getBoundingClientRect();
let [l, t, r, b] = [a.left, a.top, a.right, a.bottom];
const add = (o) => { l = Math.min(l, o.left); t = Math.min(t, o.top); r = Math.max(r, o.right); b = Math.max(b, o.bottom); };
for (const u of document.querySelectorAll("applet:not(.gb-small) .gb-bar, applet .gb-open > .gb-sub")) {
  const o = u.getBoundingClientRect();
  if (u.classList.contains("gb-sub")) add(o);
  const m = /rgba?\\([^)]*\\) 0px (\\d+)px (\\d+)px/.exec(getComputedStyle(u).boxShadow);
  if (m) {
    const dy = +m[1], out = Math.floor((3 * +m[2] + 1) / 2);
    add({left: o.left - out, top: o.top + dy - out, right: o.right + out, bottom: o.bottom + dy + out});
  }
}
if (!whole) { l = Math.max(l, a.left); t = Math.max(t, a.top); }
return [l, t, r - l, b - t];'''

# The body of an asynchronous script that calls done(true) once a sub menu
# that fades in has finished fading (pictures are of the menu at rest) and
# the next frame is drawn.
AT_REST = ('Promise.all(document.getAnimations().map(x => x.finished.catch(() => null)))'
           '.then(() => requestAnimationFrame(() => requestAnimationFrame(() => done(true))));')


# The keys of one item look in a project file, by their stem.
LOOK_STEMS = ('BKColor', 'FRColor', 'ItemBorderStyle', 'ItemFillStyle', 'FontName', 'FontSize', 'FontStyle',
              'Align', 'FontFamily', 'FontWeight', 'FontItalic', 'FontPx')


def todays_templates():
    """The templates of the library beside vantrel-gen that hold today's
    look (a section "<name> Looks")."""
    library = read_text(os.path.join(os.path.dirname(os.path.abspath(GEN)), 'Vantrel.qdx'))
    names = re.search(r'(?m)^TemplateKey=([^\r\n]*)', library).group(1).split(',')
    return [n for n, name in enumerate(names) if '\n[%s Looks]\r' % name in library]


_look_pictures = {}


def look_picture(page, sub, state, owner):
    """The picture of `page`'s project with the Normal look of its main
    items (or, with `sub`, its sub items, `owner`'s sub menu open) replaced
    by their look in `state`: it draws each of those items as an item in
    that state shows on the page."""
    prefix = 'si' if sub else 'mi'
    qdx = page[:-4] + '-%s%d.qdx' % (prefix, state)
    if (qdx, owner) in _look_pictures:
        return _look_pictures[(qdx, owner)]
    text = read_text(page[:-4] + '.qdx')
    values = dict(re.findall(r'(?m)^(m_\w+)=([^\r\n]*)', text))
    for stem in LOOK_STEMS:
        key, value = 'm_%s%s1' % (prefix, stem), values.get('m_%s%s%d' % (prefix, stem, state), '0')
        if key in values:
            text = re.sub(r'(?m)^%s=[^\r\n]*' % key, key + '=' + value, text)
        elif value != '0':
            assert '[Looks]\r\n' in text, page
            text = text.replace('[Looks]\r\n', '[Looks]\r\n%s=%s\r\n' % (key, value), 1)
    write_text(qdx, text)
    out = qdx[:-4] + '.png'
    gen('png', qdx, out, *(['--open', owner] if sub else []))
    with open(out, 'rb') as f:
        _look_pictures[(qdx, owner)] = pngdiff.read_png(f.read())
    return _look_pictures[(qdx, owner)]


# An element's box in the window, then its left and top in the applet's.
ITEM_BOX = ('const r = arguments[0].getBoundingClientRect(),'
            ' a = document.querySelector("applet").getBoundingClientRect();'
            'return [r.left, r.top, r.width, r.height, r.left - a.left, r.top - a.top].map(Math.round);')


def drawn_families():
    """For each of the applet's font names, the family its pictures and pages
    are drawn in on this machine: the first family of the script's table that
    is installed, else what fontconfig gives for the generic family."""
    script = read_text(os.path.join(os.path.dirname(os.path.abspath(GEN)), 'glidebar.js'))
    table = re.search(r'const FONT_FAMILIES = \{(.*?)\};', script, re.S).group(1)
    listed = subprocess.run(['fc-list', ':', 'family'], check=True, stdout=subprocess.PIPE).stdout.decode()
    installed = {name.strip() for line in listed.splitlines() for name in line.split(',')}
    drawn = {}
    for code, name in (('t', 'TimesRoman'), ('h', 'Helvetica'), ('c', 'Courier')):
        entry = re.search(r"%s: \{ families: \[([^\]]*)\], generic: '([^']*)'" % code, table)
        family = next((f for f in re.findall(r"'([^']*)'", entry.group(1)) if f in installed), None)
        if family is None:
            family = subprocess.run(['fc-match', '-f', '%{family[0]}', entry.group(2)], check=True,
                                    stdout=subprocess.PIPE).stdout.decode()
        drawn[name] = family
    return drawn


def report_fonts():
    """Says which fonts the pictures and pages of this run are drawn with."""
    print('Pictures and pages drawn in: ' + ', '.join('%s -> %s' % kv for kv in drawn_families().items()),
          flush=True)


def chromium(work):
    """Headless Chromium through chromedriver, its profile in `work`, at
    1200 x 900 and one device pixel a CSS pixel, as the pictures are drawn."""
    from selenium import webdriver
    from selenium.webdriver.chrome.options import Options
    from selenium.webdriver.chrome.service import Service
    options = Options()
    options.binary_location = '/usr/bin/chromium'
    for arg in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                '--disable-background-networking', '--disable-component-update', '--disable-sync',
                '--force-device-scale-factor=1', '--hide-scrollbars',
                '--user-data-dir=' + os.path.join(work, 'profile')):
        options.add_argument(arg)
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    driver.set_window_size(1200, 900)
    return driver
