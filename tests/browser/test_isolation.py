"""The drawn menu on pages that carry style sheets of their own: every
template on pages dressed in the style sheets of widely used CSS frameworks
and resets (from npm, pinned in package-lock.json) and in hostile.css, in
Chromium, Firefox ESR and WebKitGTK, one browser session per engine. On
such a page the menu looks as `vantrel-gen png` draws it (desktop and phone,
closed and open), every element of the menu has the computed style it has
on the bare page (closed, walked into by the keyboard, in the small-screen
form), several menus keep their own looks, a right-to-left page does not
turn the menu around, and the page's own elements keep their computed
styles whether the menu is drawn or not. In Chromium also: the menu as a
screen reader meets it, and printed, its links.

Run with /usr/bin/python3; the environment names the built vantrel-gen
(VANTREL_GEN) and the npm folder ./test fills (VANTREL_NPM). An engine whose
browser is not installed is skipped; one that is installed but cannot start
fails.
"""

import base64
import json
import os
import re
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pages  # noqa: E402
import pngdiff  # noqa: E402
import test_engines as engines  # noqa: E402
from pages import menu_tree, params, picture, read_text, write_text  # noqa: E402

from selenium.webdriver.common.keys import Keys  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
NPM = os.environ.get('VANTREL_NPM', '')
# The style sheets of widely used frameworks and resets, as their packages ship them.
FRAMEWORKS = (
    ('Bootstrap', 'bootstrap/dist/css/bootstrap.min.css'),
    ('Bulma', 'bulma/css/bulma.min.css'),
    ('Pico', '@picocss/pico/css/pico.min.css'),
    ('Tailwind preflight', 'tailwindcss/preflight.css'),
    ('normalize.css', 'normalize.css/normalize.css'),
    ('modern-normalize', 'modern-normalize/modern-normalize.css'),
)
HOSTILE = os.path.join(HERE, 'hostile.css')

# The page's own elements, before the menu: what the frameworks and the
# hostile sheet style, and look-alikes of the menu's own classes and roles.
PAGE_CONTENT = (
    '<nav class="navbar" aria-label="Page"><ul class="nav"><li class="nav-item"><a class="nav-link" href="#one">One</a>'
    '</li><li class="active"><a href="#two">Two <span class="badge">2</span></a></li></ul></nav>\r\n'
    '<h1 class="title">Heading</h1>\r\n'
    '<p class="lead">Some <a href="#text">text</a>, <span>a span</span>, <button type="button" class="btn">a button'
    '</button> and <img alt="" width="10" height="8" src="data:image/gif;base64,'
    'R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==">.</p>\r\n'
    '<div class="glidebar gb1 gb-small gb-shown"><ul class="gb-bar" role="menubar"><li class="gb-open gb-m gb-f">'
    '<a role="menuitem" href="#x">Look-alike</a><ul class="gb-sub" role="menu"><li><a href="#y">Sub</a></li></ul>'
    '</li></ul><button class="gb-tog">Menu</button></div>\r\n')

# Chromium in its own session, as the other engines are driven.
CHROMIUM_ARGS = ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                 '--disable-background-networking', '--disable-component-update', '--disable-sync',
                 '--force-device-scale-factor=1', '--hide-scrollbars')


class ChromiumEngine(engines.Engine):
    name = 'Chromium'
    binary = '/usr/bin/chromium'
    tolerance = 64
    min_match = 0.98

    def start(self, workdir):
        from selenium import webdriver
        from selenium.webdriver.chrome.options import Options
        from selenium.webdriver.chrome.service import Service
        options = Options()
        options.binary_location = self.binary
        for arg in CHROMIUM_ARGS + ('--user-data-dir=' + os.path.join(workdir, 'profile'),):
            options.add_argument(arg)
        self.driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        self.driver.set_script_timeout(10)
        self.width = None
        self.resize(engines.WIDTH, engines.HEIGHT)

    def quit(self):
        self.driver.quit()

    def navigate(self, page):
        self.resize(engines.WIDTH, engines.HEIGHT)
        self.driver.get('file://' + page)

    def resize(self, width, height):
        if width != self.width:
            self.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
                'width': width, 'height': height, 'deviceScaleFactor': 1, 'mobile': False})
            self.width = width

    def js(self, body, *args):
        return self.driver.execute_script(body, *args)

    def wait_js(self, body):
        return self.driver.execute_async_script('const done = arguments[arguments.length - 1];' + body)

    def capture(self, x, y, w, h):
        scroll = self.js('return [scrollX, scrollY];')  # the clip is in the page's coordinates
        data = self.driver.execute_cdp_cmd('Page.captureScreenshot', {'clip': {
            'x': x + scroll[0], 'y': y + scroll[1], 'width': w, 'height': h, 'scale': 1}})['data']
        return pngdiff.read_png(base64.b64decode(data))

    def tap(self, element):
        from selenium.webdriver.common.actions import interaction
        from selenium.webdriver.common.actions.action_builder import ActionBuilder
        from selenium.webdriver.common.actions.pointer_input import PointerInput
        touch = ActionBuilder(self.driver, mouse=PointerInput(interaction.POINTER_TOUCH, 'finger'))
        touch.pointer_action.move_to(element).pointer_down().pointer_up()
        touch.perform()

    def keys(self, *values):
        from selenium.webdriver.common.action_chains import ActionChains
        ActionChains(self.driver).send_keys(*values).perform()

    def errors(self):
        return [entry['message'] for entry in self.driver.get_log('browser') if entry['level'] == 'SEVERE']


def dress(page, name, sheets, rtl=False, content='', applets=None):
    """A copy of the saved page carrying the style sheets `sheets` (the
    frameworks' first, in its head; hostile.css last, after the menu),
    the page's own elements `content` before the menu, and for `applets`
    (a list of saved pages) their menus one after another."""
    text = read_text(page)
    links = ''.join('<link rel="stylesheet" href="file://%s">\r\n' % s for s in sheets if s != HOSTILE)
    text = text.replace('<head>', '<head>' + links, 1)
    if content:
        text = text.replace('</head>\n', '</head>\n' + content, 1)
    if applets:
        # Each at the left, with room below for its sub menus.
        blocks = [re.sub(r'^<p align="[^"]*">', '<p align="left">',
                         re.search(r'<p align="[^"]*">.*?</p>\r\n', read_text(p), re.S).group(0))
                  + '<div style="height:300px"></div>\r\n' for p in applets]
        text = re.sub(r'<p align="[^"]*">.*?</p>\r\n', lambda m: ''.join(blocks), text, count=1, flags=re.S)
    if HOSTILE in sheets:
        text = text.replace('</html>', '<link rel="stylesheet" href="file://%s">\r\n</html>' % HOSTILE, 1)
    if rtl:
        text = re.sub(r'<html\b', '<html dir="rtl"', text, count=1)
    dressed = os.path.join(os.path.dirname(page), name + '.htm')
    write_text(dressed, text)
    return dressed


def framework_sheets():
    sheets = [os.path.join(NPM, path) for _, path in FRAMEWORKS]
    missing = [s for s in sheets if not os.path.isfile(s)]
    if missing:
        raise AssertionError('VANTREL_NPM does not hold %s (./test installs them from npm)' % ', '.join(missing))
    return sheets


# Every element of the applet (and the ::before and ::after of each), named
# by its place and classes, with every computed property but the page's
# custom properties, which the menu does not use. Width-like properties are
# left out when arguments[0] says so: the small-screen form is as wide as
# the page lets it be.
COMPUTED = (
    'const root = arguments[1] || document.querySelector("applet"), narrow = arguments[0];'
    'const skip = new Set(narrow ? ["width", "inline-size", "transform-origin", "perspective-origin",'
    ' "min-inline-size", "max-inline-size"] : []);'
    'const all = [root].concat(Array.from(root.querySelectorAll("*"))), out = {};'
    'all.forEach((e, i) => {'
    '  if (e.localName === "param") return;'
    '  for (const pseudo of ["", "::before", "::after"]) {'
    '    const c = getComputedStyle(e, pseudo || null), key = i + " " + e.localName + "." + e.className + pseudo;'
    '    const props = {};'
    '    for (let k = 0; k < c.length; ++k) {'
    '      const n = c[k];'
    '      if (!n.startsWith("--") && !skip.has(n)) props[n] = c.getPropertyValue(n);'
    '    }'
    '    if (pseudo && props.content !== "none" && props.content !== "normal") props.__shown = "yes";'
    '    out[key] = pseudo ? {content: props.content, display: props.display, __shown: props.__shown || ""}'
    '      : props;'
    '  }'
    '});'
    'return JSON.stringify(out);')

# The frameworks' own transitions on the page's elements (a link's colour)
# run when a later sheet changes them: done(true) once they have ended.
TRANSITIONS_DONE = ('Promise.race([new Promise(t => setTimeout(t, 3000)), Promise.all(document.getAnimations()'
                    '.filter(a => a.effect.getComputedTiming().endTime !== Infinity)'
                    '.map(a => a.finished.catch(() => null)))])'
                    '.then(() => requestAnimationFrame(() => done(true)));')
# Scrolls the window to 20 pixels above the element, at once (a framework
# may make scrolling smooth).
SCROLL_TO = ('scrollTo({left: 0, top: scrollY + arguments[0].getBoundingClientRect().top - 20,'
             ' behavior: "instant"});')
# Moves each applet's holder so that the applet lies on whole pixels, and
# turns off a framework's smooth scrolling, which would still move the page
# after a focused item was scrolled into view.
ON_PIXEL_GRID = (
    'document.documentElement.style.scrollBehavior = "auto";'
    'const all = Array.from(document.querySelectorAll("applet"));'
    'for (const a of all) a.parentElement.removeAttribute("style");'
    'const off = all.map(a => { const r = a.getBoundingClientRect(); return [r.left % 1, r.top % 1]; });'
    'all.forEach((a, i) => { if (off[i][0] || off[i][1])'
    '  a.parentElement.setAttribute("style", "position:relative;left:" + -off[i][0] + "px;top:" + -off[i][1] + "px"); });')
SETTLE = 'requestAnimationFrame(() => requestAnimationFrame(() => done(true)));'


# The same menu in the same engine on a dressed and on a bare page: a pixel
# counts as the same within this difference of each channel (a label set at
# another fraction of a pixel is shaded a little differently).
SAME_ENGINE_TOLERANCE = 24
SAME_ENGINE_MATCH = 0.995


def differences(bare, dressed, limit=12):
    """(element, property, bare value, dressed value) where two snapshots differ."""
    a, b = json.loads(bare), json.loads(dressed)
    out = []
    for key in sorted(set(a) | set(b)):
        if key not in a or key not in b:
            out.append((key, '(element)', key in a, key in b))
            continue
        for prop in sorted(set(a[key]) | set(b[key])):
            if a[key].get(prop) != b[key].get(prop):
                out.append((key, prop, a[key].get(prop), b[key].get(prop)))
    return out[:limit]


def share(pairs, tolerance, leave_out=()):
    """The share of matching pixels over several pairs of pictures of the
    same size; the boxes `leave_out` lie in the first pair's."""
    same = counted = 0
    for i, (a, b) in enumerate(pairs):
        n = a[0] * a[1]
        same += n * pngdiff.match_ratio(a, b, tolerance, leave_out if i == 0 else ())
        counted += n
    return same / counted


# The menu's parts as [element, box in the window]: the applet, and its open
# sub menu, which floats beyond it. The page between them is the page's.
MENU_BOXES = ('const a = arguments[0] || document.querySelector("applet"), s = a.querySelector(".gb-open > .gb-sub");'
              'return [a].concat(s ? [s] : []).map(e => { const r = e.getBoundingClientRect();'
              ' return [e, [Math.round(r.left), Math.round(r.top), Math.round(r.width), Math.round(r.height)]]; });')

engines_run = {}
pictures = {}
combined = {}


def setUpModule():
    if not os.path.isfile(pages.GEN):
        raise unittest.SkipTest('VANTREL_GEN does not name the built vantrel-gen')
    pages.start('isolation-test-')


def tearDownModule():
    pages.finish()
    for name, seconds in engines_run.items():
        print('%s: %.1f s' % (name, seconds))


def cached_picture(page, *extra):
    """The picture `vantrel-gen png` draws, drawn once for every engine."""
    key = (page,) + extra
    if key not in pictures:
        pictures[key] = picture(page, *extra)
    return pictures[key]


def combined_pages(sheets):
    """Every template saved into one folder, and two pages that hold all
    their menus one under another: bare, and dressed in every sheet, right
    to left. Returns {'saved': [page of template n], 'bare': ..., 'dressed': ...}."""
    if not combined:
        folder = pages.folder('all')
        saved = []
        for n in range(pages.template_count()):
            path = os.path.join(folder, 'template%d.htm' % n)
            pages.gen('save', '--template', n, path)
            saved.append(path)
        combined['saved'] = saved
        combined['bare'] = dress(saved[0], 'bare', [], applets=saved)
        combined['dressed'] = dress(saved[0], 'dressed', sheets + [HOSTILE], rtl=True, applets=saved)
    return combined


class IsolationCases:
    """The cases, run in one session of the class's engine."""
    engine_class = None
    # Whether the menu's pixels on the dressed page are compared with the
    # bare page's too (besides the computed styles).
    pixels_against_bare = True

    @classmethod
    def setUpClass(cls):
        cls.started = time.monotonic()
        engine = cls.engine_class()
        if not os.path.exists(engine.binary):
            raise unittest.SkipTest('%s is not installed (%s)' % (engine.name, engine.binary))
        cls.sheets = framework_sheets()
        cls.pages = combined_pages(cls.sheets)
        engine.start(pages.folder('isolation-' + engine.name.replace(' ', '-')))
        cls.engine = engine

    @classmethod
    def tearDownClass(cls):
        cls.engine.quit()
        engines_run[cls.engine.name] = time.monotonic() - cls.started

    def settle(self):
        self.engine.wait_js(SETTLE)

    def applets(self):
        """The page's applets, each moved onto the pixel grid: the dressed
        page's line heights set them a fraction of a pixel off it, where a
        label is shaded otherwise than in a picture."""
        applets = self.engine.js(ON_PIXEL_GRID + 'return all;')
        self.settle()
        return applets

    def small_with_section(self, applets):
        """The window a phone's width; each menu in the small-screen form
        shows its main items and its first section. Which ones are small."""
        e = self.engine
        # A press on the page closes what is open: no form keeps it.
        e.js('document.body.dispatchEvent(new PointerEvent("pointerdown", {bubbles: true}));')
        e.resize(360, engines.HEIGHT)
        self.settle()
        small = e.js('return Array.from(document.querySelectorAll("applet"), a => a.classList.contains("gb-small"));')
        e.js('for (const a of document.querySelectorAll("applet")) if (a.classList.contains("gb-small")) {'
             '  a.querySelector(".gb-tog").click();'
             '  const d = a.querySelector(".gb-bar > li > .gb-disc"); if (d) d.click(); }')
        self.settle()
        e.js(ON_PIXEL_GRID)
        self.settle()
        return small

    def menu_boxes(self, applet):
        """The applet's parts and their boxes (MENU_BOXES), with the applet
        scrolled to the window's top."""
        e = self.engine
        e.js(SCROLL_TO, applet)
        self.settle()
        return e.js(MENU_BOXES, applet)

    def look(self, applet, narrow):
        """The applet's computed styles and the pictures of its parts (none
        where the engine's pictures take seconds each)."""
        boxes = self.menu_boxes(applet)
        shots = self.shot(boxes) if self.pixels_against_bare else []
        return self.engine.js(COMPUTED, narrow, applet), shots, boxes

    def shot(self, parts):
        """A picture of each part."""
        return [self.engine.capture(*box) for element, box in parts]

    def states(self, page):
        """{(template, state): (computed styles, pictures of its parts)}
        of every menu on the page: closed; with the keys in it (Tab from
        the menu before, the arrow keys into its first sub menu); in the
        small-screen form with a section shown."""
        e = self.engine
        saved = self.pages['saved']
        out = {}
        e.open(page)
        applets = self.applets()
        self.assertEqual(len(applets), len(saved))
        for n, applet in enumerate(applets):
            out[n, 'closed'] = self.look(applet, False)[:2]
        for n, applet in enumerate(applets):
            e.keys(Keys.TAB)
            mains = e.js('return Array.from(arguments[0].querySelectorAll(%s));' % json.dumps(engines.MAINS[7:]),
                         applet)
            self.assertTrue(e.is_active(mains[0]), 'template %d: Tab does not reach the menu' % n)
            owners = pages.sub_menu_owners(saved[n])
            if owners:
                p = params(saved[n])
                across = p['MMStyle'].split(',')[2] == 'h'
                nxt, into = (Keys.ARROW_RIGHT, Keys.ARROW_DOWN) if across else (Keys.ARROW_DOWN, Keys.ARROW_RIGHT)
                e.keys(*([nxt] * owners[0] + [into]))
                main = mains[owners[0]]
                self.assertEqual(e.attr(main, 'aria-expanded'), 'true')
                self.assertTrue(e.is_active(e.subs(main)[0]), 'template %d' % n)
            out[n, 'keys in it'] = self.look(applet, False)[:2]
            if owners:
                e.keys(Keys.ESCAPE)
                self.assertTrue(e.is_active(main), 'template %d' % n)
        for n, (applet, small) in enumerate(zip(applets, self.small_with_section(applets))):
            if small:
                # Pictures of the form only against the png: the page decides its width.
                out[n, 'small-screen form'] = self.look(applet, True)[0], []
        self.assertEqual(e.errors(), [])
        return out

    def test_computed_styles(self):
        """Every template, on a page that holds them all: the menu's elements
        keep the computed styles and the pixels they have on the bare page
        under every framework's sheet and the hostile sheet, closed, walked
        into by the keys and in the small-screen form."""
        bare = self.states(self.pages['bare'])
        dressed = self.states(self.pages['dressed'])
        self.assertEqual(sorted(dressed), sorted(bare))
        for (n, state), (styles, shots) in sorted(bare.items()):
            with self.subTest(template=n, state=state):
                self.assertEqual(differences(styles, dressed[n, state][0]), [])
                if not shots:
                    continue
                ratio = share(zip(dressed[n, state][1], shots), SAME_ENGINE_TOLERANCE)
                print('%s, template %d, %s: %.4f of the pixels as on the bare page' % (self.engine.name, n, state, ratio))
                self.assertGreaterEqual(ratio, SAME_ENGINE_MATCH)

    def assertLooksLikePicture(self, picture_, parts, leave_out=()):
        """Each of the menu's parts against its place in the picture, which
        shows the box around them all; the boxes `leave_out` (in the
        applet's coordinates) are not counted."""
        e = self.engine
        x0, y0 = min(box[0] for _, box in parts), min(box[1] for _, box in parts)
        crops = [pngdiff.crop(picture_, x - x0, y - y0, w, h) for _, (x, y, w, h) in parts]
        # A framework's line heights can set the applet a fraction of a pixel
        # off the grid, where the engine draws it a pixel from the box read
        # back: the menu is judged where it lies, with one offset for all its
        # parts (a part moved against the others still fails).
        margins = []
        for _, (x, y, w, h) in parts:
            left, top = min(x, 1), min(y, 1)
            margins.append((left, top, e.capture(x - left, y - top, w + left + 1, h + top + 1)))

        def placed(dx, dy):
            return [pngdiff.crop(wide, left + dx, top + dy, w, h)
                    for (left, top, wide), (_, (x, y, w, h)) in zip(margins, parts)]

        def misfit(offset):
            return sum(int(((pngdiff.as_array(a) - pngdiff.as_array(b)) ** 2).sum())
                       for a, b in zip(placed(*offset), crops))
        offsets = [(dx, dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1)
                   if all(left + dx >= 0 and top + dy >= 0 for left, top, _ in margins)]
        offset = min(offsets, key=lambda o: (misfit(o), o != (0, 0)))
        for i, (shot, crop) in enumerate(zip(placed(*offset), crops)):
            pngdiff.check(self, '%s, part %d, applet at %r' % (e.name, i, offset), shot, crop, e.tolerance,
                          e.min_match, leave_out if i == 0 else (), e.across, e.moved_ratio, e.least_run)

    def test_pictures(self):
        """Every template, on the dressed page that holds them all: closed,
        with a sub menu open, and on a phone with a section shown, as
        `vantrel-gen png` draws it."""
        e = self.engine
        saved = self.pages['saved']
        e.open(self.pages['dressed'])
        applets = self.applets()
        self.assertEqual(len(set(e.js('return Array.from(document.querySelectorAll("applet"), a => a.className);'))),
                         len(saved))
        for n, applet in enumerate(applets):
            with self.subTest(template=n, open=None):
                self.assertLooksLikePicture(cached_picture(saved[n]), self.menu_boxes(applet))
        for n, applet in enumerate(applets):
            owners = pages.sub_menu_owners(saved[n])
            if not owners:
                continue
            with self.subTest(template=n, open=owners[0]):
                e.js(SCROLL_TO, applet)
                main = e.js('return arguments[0].querySelectorAll(%s)[arguments[1]];' % json.dumps(engines.MAINS[7:]),
                            applet, owners[0])
                if e.opens_by_tap:
                    e.tap(main)
                else:
                    e.hover(main)
                self.assertEqual(e.attr(main, 'aria-expanded'), 'true')
                parts = self.menu_boxes(applet)
                leave_out = []
                if not e.opens_by_tap:  # the item under the pointer shows its Mouse Move look
                    x, y, w, h = e.js('const r = arguments[0].closest("li").getBoundingClientRect();'
                                      'return [r.left, r.top, r.width, r.height].map(Math.round);', main)
                    leave_out = [(x - parts[0][1][0], y - parts[0][1][1], w, h)]
                self.assertLooksLikePicture(cached_picture(saved[n], '--open', owners[0]), parts, leave_out)
        for n, (applet, small) in enumerate(zip(applets, self.small_with_section(applets))):
            if not small:
                continue  # the menu fits: its pictures are the desktop cases'
            owners = pages.sub_menu_owners(saved[n])
            with self.subTest(template=n, phone=True):
                parts = self.menu_boxes(applet)
                # The picture of a page as wide as the room the page gives the
                # menu, its list shown (and its first section, where it has one).
                extra = ['--width', parts[0][1][2] + 2 * 8, '--open', owners[0] if owners else 0]
                self.assertLooksLikePicture(cached_picture(saved[n], *extra), parts[:1])
        self.assertEqual(e.errors(), [])

    def test_page_elements_unchanged(self):
        """The page's own elements (and look-alikes of the menu's classes and
        roles) have the same computed styles whether the menu is drawn or
        not, on a page dressed in every sheet."""
        e = self.engine
        saved = self.pages['saved'][0]
        with_menu = dress(saved, 'own-elements', self.sheets + [HOSTILE], content=PAGE_CONTENT)
        # The same page with the menu script kept from running.
        without = os.path.join(os.path.dirname(with_menu), 'own-elements-no-script.htm')
        write_text(without, re.sub(r'<script (?=[^>]*glidebar\.js)', '<script type="text/plain" ', read_text(with_menu)))
        self.assertNotEqual(read_text(without), read_text(with_menu))
        own = ('const out = {};'
               'Array.from(document.querySelectorAll("html, body, body *")).filter(e => !e.closest("applet"))'
               '.forEach((e, i) => {'
               '  const key = i + " " + e.localName + "." + e.getAttribute("class");'
               '  const c = getComputedStyle(e), props = {};'
               # Ancestors of the menu are as high as what they hold.
               '  const holds = !!e.querySelector("applet");'
               '  for (let k = 0; k < c.length; ++k) {'
               '    const n = c[k];'
               '    if (!(holds && /^(height|block-size|transform-origin|perspective-origin)$/.test(n)))'
               '      props[n] = c.getPropertyValue(n);'
               '  }'
               '  out[key] = props;'
               '});'
               'return JSON.stringify(out);')
        e.open(with_menu)
        self.assertTrue(e.wait_js(TRANSITIONS_DONE))
        drawn = e.js(own)
        e.navigate(without)
        self.assertTrue(e.wait_js(TRANSITIONS_DONE))
        self.assertFalse(e.js('return !!document.querySelector("applet [role=menubar]");'))
        plain = e.js(own)
        self.assertGreater(len(json.loads(plain)), 10)
        self.assertEqual(differences(plain, drawn), [])


class Chromium(IsolationCases, unittest.TestCase):
    engine_class = ChromiumEngine

    def ax_menu(self):
        """(role, name) of the menu's nodes in the accessibility tree."""
        nodes = self.engine.driver.execute_cdp_cmd('Accessibility.getFullAXTree', {})['nodes']
        return [(n.get('role', {}).get('value'), n.get('name', {}).get('value', ''))
                for n in nodes if not n.get('ignored')
                and n.get('role', {}).get('value') in ('menubar', 'menu', 'menuitem', 'button', 'link')]

    def test_screen_reader_tree(self):
        """Every template's menu, on the page that holds them all, has the
        same roles and names dressed as bare: closed and with each menu's
        first sub menu open."""
        e = self.engine
        trees = {}
        for name in ('bare', 'dressed'):
            e.open(self.pages[name])
            trees[name] = [self.ax_menu()]
            for n, applet in enumerate(self.applets()):
                owners = pages.sub_menu_owners(self.pages['saved'][n])
                if owners:
                    e.js(SCROLL_TO, applet)
                    e.tap(e.js('return arguments[0].querySelectorAll(%s)[arguments[1]];'
                               % json.dumps(engines.MAINS[7:]), applet, owners[0]))
                    self.settle()
                    trees[name].append(self.ax_menu())
        self.assertGreater(len(trees['bare'][0]), len(self.pages['saved']))
        for k, (bare, dressed) in enumerate(zip(trees['bare'], trees['dressed'])):
            with self.subTest(step=k):
                self.assertEqual(dressed, bare)

    def test_printed_links(self):
        """Printed, a dressed page shows the menu as its list: every link of
        the menu and its sub menus, no buttons of the small-screen form, and
        the applet no longer the drawn box."""
        e = self.engine
        saved = self.pages['saved'][0]
        page = dress(saved, 'print', self.sheets + [HOSTILE])
        want = [it[1] for it in menu_tree(params(saved))] + [s[1] for it in menu_tree(params(saved)) for s in it[3] or []]
        e.open(page)
        e.tap(e.mains()[pages.sub_menu_owners(saved)[0]])
        shown = ('return Array.from(document.querySelectorAll("applet a[href]"))'
                 '.filter(a => a.getClientRects().length && getComputedStyle(a).visibility === "visible")'
                 '.map(a => a.getAttribute("href"));')
        on_screen = e.js(shown)
        e.driver.execute_cdp_cmd('Emulation.setEmulatedMedia', {'media': 'print'})
        try:
            self.settle()
            self.assertEqual(sorted(e.js(shown)), sorted(w for w in want if w))
            self.assertLess(len(on_screen), len([w for w in want if w]))
            self.assertEqual(e.js('return Array.from(document.querySelectorAll("applet button"))'
                                  '.filter(b => b.getClientRects().length).length;'), 0)
            self.assertEqual(e.js('return getComputedStyle(document.querySelector("applet")).display;'), 'block')
        finally:
            e.driver.execute_cdp_cmd('Emulation.setEmulatedMedia', {'media': ''})


class Firefox(IsolationCases, unittest.TestCase):
    engine_class = engines.FirefoxEngine


class WebKitGTK(IsolationCases, unittest.TestCase):
    engine_class = engines.WebKitEngine
    # Its driver shoots the whole window, which takes two seconds to read:
    # its pictures are compared with `vantrel-gen png` only.
    pixels_against_bare = False


if __name__ == '__main__':
    unittest.main(verbosity=2)
