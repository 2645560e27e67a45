"""Saved pages in headless Chromium: the menu script draws what `vantrel-gen png`
draws, answers the pointer, the keys and a finger, and the page keeps its links
for visitors without scripts.

Run with /usr/bin/python3 (Debian's python3-selenium); the environment names
the built vantrel-gen (VANTREL_GEN). One browser serves every case.
"""

import os
import re
import shutil
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pngdiff  # noqa: E402
from pages import (colour, crafted_page, folder, gen, menu_tree, near, params, picture,  # noqa: E402
                   read_text, save_template, template_count, write_text)
import pages  # noqa: E402

from selenium.common.exceptions import NoAlertPresentException  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.actions import interaction  # noqa: E402
from selenium.webdriver.common.actions.action_builder import ActionBuilder  # noqa: E402
from selenium.webdriver.common.actions.pointer_input import PointerInput  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

# A page and its picture agree on a pixel when no channel differs by more
# than this: the labels are rasterised by two different engines, which
# shade the edges of the same glyphs differently.
TOLERANCE = 64
MIN_MATCH = 0.98

driver = None


def setUpModule():
    global driver
    if not os.path.isfile(pages.GEN):
        raise unittest.SkipTest('VANTREL_GEN does not name the built vantrel-gen')
    work = pages.start('glidebar-test-')
    pages.report_fonts()
    driver = pages.chromium(work)


def tearDownModule():
    if driver:
        driver.quit()
    pages.finish()


def open_page(page, drawn='applet [role=menubar]'):
    driver.get('file://' + page)
    # The script has run once the applet holds a menubar (`drawn`).
    assert driver.find_element('css selector', drawn)
    # Item images are laid out once they have loaded.
    driver.execute_async_script(
        'const done = arguments[0];'
        'Promise.all(Array.from(document.images, i => i.decode().catch(() => null)))'
        '.then(() => requestAnimationFrame(() => done()));')


def mains():
    return driver.find_elements('css selector', '[role=menubar] > li > [role=menuitem]')


def subs(owner):
    return owner.find_elements('xpath', './following-sibling::*[@role="menu"][1]//*[@role="menuitem"]')


def active():
    return driver.switch_to.active_element


def screenshot():
    """The applet's box and the open sub menu, as the window shows them
    once at rest."""
    driver.execute_async_script('const done = arguments[arguments.length - 1];' + pages.AT_REST)
    x, y, w, h = (round(v) for v in driver.execute_script(pages.DRAWN_BOX))
    return pngdiff.crop(pngdiff.read_png(driver.get_screenshot_as_png()), x, y, w, h)


def tap(element):
    touch = ActionBuilder(driver, mouse=PointerInput(interaction.POINTER_TOUCH, 'finger'))
    touch.pointer_action.move_to(element).pointer_down().pointer_up()
    touch.perform()


def close_menus():
    """A press elsewhere on the page closes the open sub menu."""
    driver.execute_script('document.body.dispatchEvent(new PointerEvent("pointerdown", {bubbles: true}))')


def box(element):
    """The element's box (an item's: its list item's) in the applet's own coordinates."""
    return driver.execute_script(
        'const r = (arguments[0].closest("li") || arguments[0]).getBoundingClientRect(),'
        ' a = document.querySelector("applet").getBoundingClientRect();'
        'return [Math.round(r.left - a.left), Math.round(r.top - a.top),'
        ' Math.round(r.width), Math.round(r.height)];', element)


class TemplatePictures(unittest.TestCase):
    """Every shipped template's saved page looks like its picture, closed and
    with each sub menu opened by a tap (which leaves no item under a pointer)."""

    def test_page_matches_picture(self):
        for n in range(template_count()):
            page = save_template(n)
            owners = [i for i, it in enumerate(menu_tree(params(page))) if it[3]]
            for k in [None] + owners:
                with self.subTest(template=n, open=k):
                    open_page(page)
                    if k is None:
                        shot, ref = screenshot(), picture(page)
                    else:
                        tap(mains()[k])
                        self.assertEqual(mains()[k].get_attribute('aria-expanded'), 'true')
                        shot, ref = screenshot(), picture(page, '--open', k)
                    pngdiff.check(self, 'template %d, open %s' % (n, k), shot, ref, TOLERANCE, MIN_MATCH)


class PictureJudge(unittest.TestCase):
    """The comparison lets the page's own glyph shading pass and finds a
    label, an item or a sub menu of the page moved by one pixel."""

    def test_moved_by_a_pixel(self):
        page = save_template(0, 'judge')
        owner = pages.sub_menu_owners(page)[0]
        open_page(page)
        tap(mains()[owner])
        shot, ref = screenshot(), picture(page, '--open', owner)
        self.assertTrue(pngdiff.judge(shot, ref, TOLERANCE).ok(MIN_MATCH))
        # Boxes in the picture's coordinates: a label (its text), an item,
        # the open sub menu.
        boxes = driver.execute_script(
            'const [l, t] = arguments[0], main = arguments[1];'
            'const r = document.createRange(); r.selectNodeContents(main);'
            'const box = (b) => [Math.floor(b.left - l), Math.floor(b.top - t),'
            ' Math.ceil(b.right - l) - Math.floor(b.left - l), Math.ceil(b.bottom - t) - Math.floor(b.top - t)];'
            'return [box(r.getBoundingClientRect()), box(main.closest("li").getBoundingClientRect()),'
            ' box(document.querySelector("applet .gb-open > .gb-sub").getBoundingClientRect())];',
            driver.execute_script(pages.DRAWN_BOX)[:2], mains()[owner + 1])
        for what, box in zip(('label', 'item', 'sub menu'), boxes):
            for shift in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                with self.subTest(what=what, shift=shift):
                    verdict = pngdiff.judge(pngdiff.move_box(shot, box, *shift), ref, TOLERANCE)
                    print('%s moved by %r: %s' % (what, shift, verdict))
                    self.assertFalse(verdict.ok(MIN_MATCH))


class CraftedLooks(unittest.TestCase):
    """Projects beyond the templates: item images at every alignment (one
    shrunk to fit, one missing), every fill, border and background style,
    the three fonts, a tiled background image, horizontal sub menus with gaps
    and thick borders; each with a sub menu open."""

    def test_page_matches_picture(self):
        images = folder('images')
        pngdiff.write_png(os.path.join(images, 'icon.png'), 14, 10, lambda x, y: (200, 40 + 10 * x, 20 * y))
        pngdiff.write_png(os.path.join(images, 'big.png'), 60, 50, lambda x, y: (4 * x, 200, 5 * y))
        pngdiff.write_png(os.path.join(images, 'tile.png'), 7, 5, lambda x, y: (30 * x, 50 * y, 90))
        icon, big = os.path.join(images, 'icon.png'), os.path.join(images, 'big.png')
        items = ['I0-0=Home,%s,_self,a.htm' % icon, 'I0-1=Products and more,%s,,b.htm' % big,
                 'I0-2=,%s,,' % icon, 'I0-3=No image,,,', 'I0-4=Missing,%s,,' % os.path.join(images, 'none.png'),
                 'I1-0=Sub one,%s,,' % icon, 'I1-1=Sub two,,,', 'I1-2=x,,,', 'I1-3=y,,,',
                 'I2-0=a,,,', 'I2-1=b,,,', 'I2-2=c,,,', 'I3-0=a,,,', 'I3-1=b,,,', 'I3-2=c,,,']
        table = []  # (case, page, open)
        for align in range(9):
            table.append(('image %d text %d' % (align // 3, align % 3),
                          crafted_page('align%d' % align, style={'Align1': (align, align), 'FontStyle1': (2, 1)},
                                       items=items), 1))
        for fill in range(10):
            general = {'m_mmBKStyle': fill % 4, 'm_smBKStyle': (fill + 1) % 4,
                       'm_appBKImagePath': os.path.join(images, 'tile.png') if fill == 3 else ''}
            style = {'ItemFillStyle1': (fill, 9 - fill), 'ItemBorderStyle1': (fill % 3, (fill + 1) % 3),
                     'FontName1': (fill % 3, (fill + 2) % 3)}
            table.append(('fill %d' % fill, crafted_page('fill%d' % fill, general, style), 2))
        table.append(('across, gaps, thick borders', crafted_page('across', {
            'm_mmMenuAlign': 1, 'm_smMenuAlign': 1, 'm_mmBorderThick': 5, 'm_smItemGap': 4}), 3))
        table.append(('borders thicker than the items', crafted_page('thick', {
            'm_mmBorderThick': 20, 'm_mmWidth': 30, 'm_mmHeight': 12}), 1))
        for case, page, k in table:
            with self.subTest(case):
                open_page(page)
                tap(mains()[k])
                pngdiff.check(self, case, screenshot(), picture(page, '--open', k), TOLERANCE, MIN_MATCH)


class SubMenuPlace(unittest.TestCase):
    """An opened sub menu lies where the picture puts it, to the pixel, for
    item sizes that halve and quarter with a fraction dropped."""

    def test_sub_menu_place(self):
        table = [  # (case, project values, main item to open)
            ('down', {'m_mmWidth': 101, 'm_mmHeight': 23, 'm_mmItemGap': 3}, 1),
            ('across', {'m_mmMenuAlign': 1, 'm_mmWidth': 75, 'm_mmHeight': 27, 'm_mmItemGap': 5}, 1),
        ]
        for case, general, k in table:
            with self.subTest(case):
                page = crafted_page('place-' + case, general)
                closed, opened = picture(page), picture(page, '--open', k)
                # The sub menu's top left: the first pixel, by row and by
                # column, that opening it changes.
                changed = [(x, y) for y, (a, b) in enumerate(zip(closed[2], opened[2]))
                           for x in range(closed[0]) if a[3 * x:3 * x + 3] != b[3 * x:3 * x + 3]]
                self.assertTrue(changed)
                expected = (min(x for x, _ in changed), min(y for _, y in changed))
                open_page(page)
                tap(mains()[k])
                self.assertEqual(tuple(box(subs(mains()[k])[0])[:2]), expected)


class PointerStates(unittest.TestCase):
    """The pointer over an item shows its Mouse Move look, a held button its
    Mouse Click look; the others stay Normal."""

    # Flat fills in three colours per menu, so a pixel tells the state.
    colours = pages.STATE_COLOURS

    @classmethod
    def states_page(cls, n):
        return pages.states_page(n)

    @classmethod
    def setUpClass(cls):
        cls.page = cls.states_page(0)

    @staticmethod
    def item_colour(element):
        x, y, w, h = box(element)
        return pngdiff.pixel(screenshot(), x + w - 4, y + h // 2)  # right end: clear of the label

    def test_states(self):
        table = [  # (case, sub menu item?, action, expected style of the item)
            ('main hover', False, 'hover', 'MIStyle2'),
            ('main press', False, 'press', 'MIStyle3'),
            ('sub hover', True, 'hover', 'SIStyle2'),
            ('sub press', True, 'press', 'SIStyle3'),
        ]
        for case, in_sub, action, expected in table:
            with self.subTest(case):
                open_page(self.page)
                chain = ActionChains(driver)
                target, other, normal = mains()[0], mains()[2], 'MIStyle1'
                if in_sub:
                    owner = mains()[1]
                    chain.move_to_element(owner).perform()
                    target, other, normal = subs(owner)[1], subs(owner)[0], 'SIStyle1'
                    chain = ActionChains(driver)
                chain.move_to_element(target)
                if action == 'press':
                    chain.click_and_hold()
                chain.perform()
                try:
                    self.assertTrue(near(self.item_colour(target), colour(self.colours[expected])))
                    self.assertTrue(near(self.item_colour(other), colour(self.colours[normal])))
                finally:
                    if action == 'press':  # let go away from the menu: no click
                        ActionChains(driver).move_by_offset(0, 400).release().perform()


class Keyboard(unittest.TestCase):
    """One Tab stop; arrows along each menu's own direction; into and out of a
    sub menu; Home/End; Escape; Enter follows the link."""

    def test_walk(self):
        for n in (0, 2):  # a vertical and a horizontal main menu
            with self.subTest(template=n):
                page = save_template(n)
                p = params(page)
                across = p['MMStyle'].split(',')[2] == 'h'
                sub_across = p['SMStyle'].split(',')[2] == 'h'
                nxt, into = (Keys.ARROW_RIGHT, Keys.ARROW_DOWN) if across else (Keys.ARROW_DOWN, Keys.ARROW_RIGHT)
                sub_next = Keys.ARROW_RIGHT if sub_across else Keys.ARROW_DOWN
                tree = menu_tree(p)
                open_page(page)
                items = mains()
                self.assertEqual(len(driver.find_elements('css selector', 'applet [tabindex="0"]')), 1)
                keys = ActionChains(driver)
                keys.send_keys(Keys.TAB).perform()
                self.assertEqual(active(), items[0])
                ring = driver.execute_script('return getComputedStyle(arguments[0].closest("li")).boxShadow;',
                                             items[0])
                self.assertIn('inset', ring)  # the two-colour ring inside the item
                ActionChains(driver).send_keys(nxt).perform()
                self.assertEqual(active(), items[1])
                self.assertIsNotNone(tree[1][3], 'the walk needs main item 1 to own a sub menu')
                self.assertEqual(items[1].get_attribute('aria-expanded'), 'true')
                ActionChains(driver).send_keys(into).perform()
                sub_items = subs(items[1])
                self.assertEqual(active(), sub_items[0])
                ActionChains(driver).send_keys(sub_next).perform()
                self.assertEqual(active(), sub_items[1])
                ActionChains(driver).send_keys(Keys.END).perform()
                self.assertEqual(active(), sub_items[-1])
                ActionChains(driver).send_keys(Keys.ESCAPE).perform()
                self.assertEqual(active(), items[1])
                self.assertEqual(items[1].get_attribute('aria-expanded'), 'false')
                self.assertFalse(sub_items[0].is_displayed())
                ActionChains(driver).send_keys(Keys.END).perform()
                self.assertEqual(active(), items[-1])
                ActionChains(driver).send_keys(Keys.HOME).perform()
                self.assertEqual(active(), items[0])
                ActionChains(driver).send_keys(Keys.ENTER).perform()
                self.assertTrue(driver.current_url.endswith('/' + tree[0][1]), driver.current_url)

    def test_tab_leaves_the_menu(self):
        page = save_template(0)
        open_page(page)
        ActionChains(driver).send_keys(Keys.TAB).send_keys(Keys.ARROW_DOWN).send_keys(Keys.TAB).perform()
        self.assertFalse(driver.execute_script(
            'return document.querySelector("applet").contains(document.activeElement)'))
        self.assertEqual(mains()[1].get_attribute('aria-expanded'), 'false')


class Loading(unittest.TestCase):
    def test_loaded_twice_and_deferred(self):
        page = save_template(0, 'twice')
        line = '<script src="glidebar.js"></script>\r\n'
        text = read_text(page)
        write_text(page, text.replace(line, line + '<script defer src="glidebar.js"></script>\r\n'))
        open_page(page)
        self.assertEqual(len(driver.find_elements('css selector', '[role=menubar]')), 1)
        self.assertEqual(len(driver.find_elements('css selector', 'style#glidebar-style')), 1)
        self.assertEqual(len(mains()), len(menu_tree(params(page))))
        # One set of handlers: a keypress moves by one item.
        ActionChains(driver).send_keys(Keys.TAB).send_keys(Keys.ARROW_DOWN).perform()
        self.assertEqual(active(), mains()[1])


class Touch(unittest.TestCase):
    def test_first_tap_opens_second_follows(self):
        page = save_template(0)
        tree = menu_tree(params(page))
        k = next(i for i, it in enumerate(tree) if it[3] and it[1])
        open_page(page)
        url = driver.current_url
        tap(mains()[k])
        self.assertEqual(mains()[k].get_attribute('aria-expanded'), 'true')
        self.assertTrue(subs(mains()[k])[0].is_displayed())
        self.assertEqual(driver.current_url, url)
        tap(mains()[k])
        self.assertTrue(driver.current_url.endswith('/' + tree[k][1]), driver.current_url)


class Roles(unittest.TestCase):
    """A menubar of links: roles, orientation, links, targets, aria-expanded."""

    def test_roles(self):
        for n in range(template_count()):
            with self.subTest(template=n):
                page = save_template(n)
                p = params(page)
                tree = menu_tree(p)
                open_page(page)
                bars = driver.find_elements('css selector', 'applet [role=menubar]')
                self.assertEqual(len(bars), 1)
                self.assertEqual(bars[0].get_attribute('aria-orientation'),
                                 'horizontal' if p['MMStyle'].split(',')[2] == 'h' else 'vertical')
                items = mains()
                self.assertEqual(len(items), len(tree))
                for a, (label, link, target, sub) in zip(items, tree):
                    self.check_item(a, label, link, target)
                    if sub is None:
                        self.assertIsNone(a.get_attribute('aria-expanded'))
                        continue
                    self.assertEqual(a.get_attribute('aria-haspopup'), 'menu')
                    self.assertEqual(a.get_attribute('aria-expanded'), 'false')
                    menu = a.find_element('xpath', './following-sibling::ul')
                    self.assertEqual(menu.get_attribute('role'), 'menu')
                    close_menus()
                    tap(a)  # its items are made menu items as it opens
                    self.assertEqual(a.get_attribute('aria-expanded'), 'true')
                    self.assertEqual(len(subs(a)), len(sub))
                    for s, (sl, sk, st) in zip(subs(a), sub):
                        self.check_item(s, sl, sk, st)
                total = sum(1 + len(it[3] or []) for it in tree)
                self.assertEqual(len(driver.find_elements('css selector', 'applet [role=menuitem]')), total)
                self.assertEqual(len(driver.find_elements('css selector', 'applet li:not([role=none])')), 0)

    def check_item(self, a, label, link, target):
        self.assertEqual(a.tag_name, 'a' if link else 'span')
        self.assertEqual(a.get_attribute('role'), 'menuitem')
        self.assertEqual(a.get_attribute('textContent'), label)
        self.assertEqual(a.get_attribute('href') is not None, bool(link))
        self.assertEqual(a.get_attribute('target') or '', target)
        if target == '_blank':
            self.assertEqual(a.get_attribute('rel'), 'noopener')


ADVERSARIAL = ['Say "hi"', "it's", '<b>bold</b>', 'a & b &amp; c', 'Grüße 日本語 ✓',
               '<script>alert(1)</script>', '<img src=x onerror=alert(1)>', '</applet><p>out']


def adversarial_project():
    """A project whose labels and links are full of markup."""
    base = save_template(0, 'adversarial')
    qdx = base[:-4] + '.qdx'
    text = read_text(qdx)
    lines = ['I0-%d=%s,,_blank,page.htm?a=1&b="%d"' % (i, label, i) for i, label in enumerate(ADVERSARIAL)]
    lines += ['I1-0=%s,,,' % ADVERSARIAL[5], 'I1-1=%s,,_self,x.htm' % ADVERSARIAL[6]]
    text = re.sub(r'\[Item\][^\[]*', '[Item]\n' + '\n'.join(lines) + '\n\n', text)
    text = re.sub(r'Relation=.*', 'Relation=2,%d,2,1-1,' % len(ADVERSARIAL), text)
    write_text(qdx, text)
    gen('save', qdx, base)
    return base


class Adversarial(unittest.TestCase):
    def test_labels_are_text(self):
        page = adversarial_project()
        open_page(page)
        items = mains()
        self.assertEqual([a.get_attribute('textContent') for a in items], ADVERSARIAL)
        self.assertEqual(items[0].get_attribute('href').split('?')[1], 'a=1&b=%220%22')
        # Nothing but the built menu: no element came from a label.
        tap(items[1])
        self.assertEqual([a.get_attribute('textContent') for a in subs(items[1])], ADVERSARIAL[5:7])
        tags = driver.execute_script(
            'return Array.from(document.querySelectorAll("applet *"), e => e.localName)')
        self.assertEqual(set(tags) - {'param', 'nav', 'ul', 'li', 'a', 'span', 'button'}, set())
        # Buttons are the small-screen form's alone, made when it first shows.
        self.assertEqual(driver.find_elements('css selector', 'applet button'), [])
        self.assertEqual(len(driver.find_elements('css selector', 'body script')), 1)
        self.assertEqual(driver.execute_script('return document.querySelectorAll("p").length'), 1)
        with self.assertRaises(NoAlertPresentException):
            driver.switch_to.alert.text


class WithoutScripts(unittest.TestCase):
    """Scripts off: every link of the menu is in the fallback list."""

    def test_fallback_links(self):
        pages = [save_template(n) for n in range(template_count())] + [adversarial_project()]
        driver.execute_cdp_cmd('Emulation.setScriptExecutionDisabled', {'value': True})
        try:
            for page in pages:
                with self.subTest(page=page):
                    tree = menu_tree(params(page))
                    driver.get('file://' + page)
                    shown = driver.execute_script(
                        'return Array.from(document.querySelectorAll("applet .glidebar-links a"),'
                        ' a => [a.textContent, a.getAttribute("href"), a.getAttribute("target") || ""])')
                    want = []
                    for label, link, target, sub in tree:
                        want += [[label, link, target]] if link else []
                        want += [[sl, sk, st] for sl, sk, st in sub or [] if sk]
                    self.assertEqual(shown, want)
                    self.assertTrue(driver.find_element('css selector', '.glidebar-links').is_displayed())
                    # Each link starts beside its bullet, though the page centres the applet.
                    gaps = driver.execute_script(
                        'return Array.from(document.querySelectorAll("applet .glidebar-links li > :first-child"),'
                        ' e => Math.round(e.getBoundingClientRect().left'
                        ' - e.closest("ul").getBoundingClientRect().left))')
                    self.assertTrue(gaps and all(0 <= g <= 48 for g in gaps), gaps)
        finally:
            driver.execute_cdp_cmd('Emulation.setScriptExecutionDisabled', {'value': False})


def phone(width=360):
    """A phone's screen, width CSS pixels wide, and a finger."""
    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                           {'width': width, 'height': 740, 'deviceScaleFactor': 1, 'mobile': True})
    driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': True, 'maxTouchPoints': 1})


def desktop():
    driver.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})
    driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': False})


def settle():
    """Two frames: the form follows the page's width once it is laid out."""
    driver.execute_async_script('const done = arguments[0];'
                                'requestAnimationFrame(() => requestAnimationFrame(() => done()));')


def open_small(page):
    """A page that may show the small-screen form, which has no menubar."""
    open_page(page, 'applet.glidebar')
    settle()


def applet_box_width(p):
    """The width of the applet's box on a page for today's browsers: the main
    menu with the margin of its position on each side."""
    mm = p['MMStyle'].split(',')
    n = len(menu_tree(p))
    w, gap = int(mm[3]), int(mm[5])
    return (n * w + (n - 1) * gap if mm[2] == 'h' else w) + 2 * int(p['ApCo'].split(',')[0])


def is_small():
    return driver.execute_script('return document.querySelector("applet").classList.contains("gb-small")')


def click(css, index=0):
    """A click that leaves no pointer over the menu."""
    driver.execute_script('document.querySelectorAll(arguments[0])[arguments[1]].click()', css, index)
    settle()


# Every visible target of the applet: [width, height, font size, text].
TARGETS = ('return Array.from(document.querySelectorAll("applet a, applet button, applet [role=menuitem]"))'
           '.filter(e => e.getClientRects().length)'
           '.map(e => { const r = e.getBoundingClientRect();'
           ' return [r.width, r.height, parseFloat(getComputedStyle(e).fontSize), e.textContent]; });')


class SmallScreen(unittest.TestCase):
    """On a phone: the page is laid out at the phone's width; a menu wider
    than the page, or too small for a finger there, shows its small-screen
    form, which looks like `vantrel-gen png --width`, has 44 px targets and
    16 px text, never scrolls sideways, and follows the disclosure pattern."""

    def tearDown(self):
        desktop()

    def test_pictures(self):
        for width in (360, 412):
            phone(width)
            for n in range(template_count()):
                self.phone_pictures(n, width)

    def phone_pictures(self, n, width):
        page = save_template(n)
        owners = [i for i, it in enumerate(menu_tree(params(page))) if it[3]]
        for k in [None] + owners:
            with self.subTest(template=n, width=width, open=k):
                open_small(page)
                self.assertEqual(driver.execute_script('return innerWidth'), width)
                extra = ['--width', width] + ([] if k is None else ['--open', k])
                if k is not None and is_small():
                    click('applet .gb-tog')
                    click('applet .gb-bar > li > .gb-disc', owners.index(k))
                elif k is not None:
                    tap(mains()[k])
                shot = screenshot()
                pngdiff.check(self, 'phone %d, template %d, open %s' % (width, n, k), shot, picture(page, *extra),
                              TOLERANCE, MIN_MATCH)

    def test_targets_text_and_room(self):
        """Whichever form a phone shows, every target is 44 px or more and
        every label 16 px or more, and nothing is wider than the phone."""
        small_seen = 0
        for width in (360, 412, 320):
            phone(width)
            for n in range(template_count()):
                page = save_template(n)
                owners = [i for i, it in enumerate(menu_tree(params(page))) if it[3]]
                open_small(page)
                with self.subTest(template=n, width=width):
                    self.assertEqual(driver.execute_script('return innerWidth'), width)
                    if is_small():
                        small_seen += 1
                        click('applet .gb-tog')
                    for j, k in enumerate([None] + owners):
                        if k is not None:
                            if is_small():
                                click('applet .gb-bar > li > .gb-disc', owners.index(k))
                            else:
                                tap(mains()[k])
                                settle()
                        # (A phone would zoom out to show what is wider: innerWidth grows.)
                        room = driver.execute_script(
                            'return [document.documentElement.scrollWidth, innerWidth]')
                        self.assertEqual(room, [width, width], 'open %s' % k)
                        for w, h, size, text in driver.execute_script(TARGETS):
                            self.assertGreaterEqual(min(w, h), 44, text)
                            self.assertGreaterEqual(size, 16, text)
        # The horizontal templates are wider than a phone.
        self.assertGreater(small_seen, 0)

    def test_small_targets_fit_but_take_the_form(self):
        """A menu that fits a phone's width but has small items or labels
        (template 0: 12 px labels, 24 px sub items) takes the small-screen
        form on a phone, and keeps its desktop form on a wider page."""
        page = save_template(0)
        p = params(page)
        self.assertLess(int(p['MIStyle1'].split(',')[4]), 16)
        for width, small in ((360, True), (412, True), (599, True), (600, False), (1200, False)):
            with self.subTest(width=width):
                if width < 1200:
                    phone(width)
                else:
                    desktop()
                open_small(page)
                self.assertLessEqual(applet_box_width(p), width - 16)  # the desktop form would fit
                self.assertEqual(is_small(), small)

    def test_keyboard(self):
        phone(360)
        page = save_template(2)
        open_small(page)
        self.assertTrue(is_small())
        toggle = driver.find_element('css selector', 'applet .gb-tog')
        bar = driver.find_element('css selector', 'applet .gb-bar')
        self.assertEqual(toggle.get_attribute('aria-controls'), bar.get_attribute('id'))
        self.assertEqual(toggle.get_attribute('aria-expanded'), 'false')
        self.assertFalse(bar.is_displayed())
        # Plain links and buttons: no menu roles, no roving Tab stop.
        self.assertIsNone(bar.get_attribute('role'))
        self.assertEqual(driver.find_elements('css selector', 'applet [role], applet [tabindex]'), [])
        toggle.send_keys(Keys.ENTER)
        self.assertEqual(toggle.get_attribute('aria-expanded'), 'true')
        self.assertTrue(bar.is_displayed())
        active().send_keys(Keys.TAB)
        first = driver.find_element('css selector', 'applet .gb-bar > li > a')
        self.assertEqual(active(), first)
        disc = driver.find_element('css selector', 'applet .gb-bar > li > .gb-disc')
        sub = driver.find_element('id', disc.get_attribute('aria-controls'))
        while active() != disc:
            active().send_keys(Keys.TAB)
        self.assertFalse(sub.is_displayed())
        active().send_keys(Keys.SPACE)
        self.assertEqual(disc.get_attribute('aria-expanded'), 'true')
        self.assertTrue(sub.is_displayed())
        active().send_keys(Keys.TAB)
        self.assertEqual(active(), sub.find_element('css selector', 'a'))
        # Escape closes the section, then the menu, the focus on their buttons.
        active().send_keys(Keys.ESCAPE)
        self.assertEqual(active(), disc)
        self.assertEqual(disc.get_attribute('aria-expanded'), 'false')
        self.assertFalse(sub.is_displayed())
        active().send_keys(Keys.ESCAPE)
        self.assertEqual(active(), toggle)
        self.assertEqual(toggle.get_attribute('aria-expanded'), 'false')
        self.assertFalse(bar.is_displayed())

    def test_crossing_the_width(self):
        page = save_template(2)
        owners = [i for i, it in enumerate(menu_tree(params(page))) if it[3]]
        phone(360)
        open_small(page)
        click('applet .gb-tog')
        click('applet .gb-bar > li > .gb-disc', 0)
        # Wider: the desktop menu, the same sub menu open.
        desktop()
        settle()
        self.assertFalse(is_small())
        self.assertEqual(len(driver.find_elements('css selector', 'applet [role=menubar]')), 1)
        self.assertEqual(mains()[owners[0]].get_attribute('aria-expanded'), 'true')
        # And back: the list shown with that section.
        phone(360)
        settle()
        self.assertTrue(is_small())
        disc = driver.find_element('css selector', 'applet .gb-bar > li > .gb-disc')
        self.assertEqual(disc.get_attribute('aria-expanded'), 'true')
        self.assertTrue(driver.find_element('id', disc.get_attribute('aria-controls')).is_displayed())


class SitePages(unittest.TestCase):
    """One menu block in the author's own pages at several depths
    (`vantrel-gen site`): the script and images load, every link leads
    where the project says, and the item of the page itself shows its Mouse
    Click look and carries aria-current="page"."""

    def test_links_and_you_are_here(self):
        site = folder('site')
        gen('save', '--template', '0', os.path.join(site, 'menu.htm'))
        tree = menu_tree(params(os.path.join(site, 'menu.htm')))
        links = {}
        for label, link, _target, sub in tree:
            links[label] = link
            for sl, sk, _st in sub or []:
                links[sl] = sk
        pages = {'index.html': 'Home', 'products/software.html': 'Software',
                 'services/consulting.html': 'Consulting', 'deep/a/b.html': None}
        paths = []
        for name in pages:
            path = os.path.join(site, name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            write_text(path, '<!DOCTYPE html>\n<html><head><meta charset="utf-8"><title>%s</title></head>'
                             '<body>\n<h1>%s</h1>\n</body></html>\n' % (name, name))
            paths.append(path)
        gen('site', os.path.join(site, 'menu.qdx'), *paths)
        for name, current in pages.items():
            with self.subTest(page=name):
                open_page(os.path.join(site, name))
                # Every sub menu opened once, so that all items are made.
                for i, (_l, _k, _t, sub) in enumerate(tree):
                    if sub:
                        close_menus()
                        tap(mains()[i])
                shown = driver.execute_script(
                    'return Array.from(document.querySelectorAll("applet [role=menuitem]"), a => [a.textContent,'
                    ' a.href, a.getAttribute("aria-current"), a.closest("li").classList.contains("gb-c")])')
                self.assertEqual({label: href for label, href, _c, _s in shown},
                                 {label: 'file://' + os.path.join(site, link) for label, link in links.items()})
                here = [(label, look) for label, _h, cur, look in shown if cur == 'page']
                self.assertEqual(here, [(current, True)] if current else [])
                # Besides the page's own item, only its owner (the current section) rests clicked.
                owner = [label for label, _l, _t, sub in tree if current in [sl for sl, _k, _s in sub or []]]
                self.assertEqual([(label, cur) for label, _h, cur, look in shown if look and cur != 'page'],
                                 [(label, 'true') for label in owner])

    def test_you_are_here_one_level_down(self):
        """On a page reached from a sub item, the owner shows as the current
        section from the start (Mouse Click look, aria-current="true") and the
        sub item's link carries aria-current="page" while its sub menu is not
        made yet; on a phone the same in the small-screen form; the picture
        matches `vantrel-gen png --current PAGE`."""
        # Template 0 stays a desktop menu on a phone; template 2 is wider than
        # a phone and shows its small-screen form there.
        for template in (0, 2):
            self.one_level_down(template)
        desktop()

    def one_level_down(self, template):
        site = folder('site-deep-%d' % template)
        menu = os.path.join(site, 'menu.htm')
        gen('save', '--template', template, menu)
        tree = menu_tree(params(menu))
        # One page a sub menu: its last item that links to a page.
        cases = []
        for i, (label, _link, _target, sub) in enumerate(tree):
            linked = [(sl, sk) for sl, sk, _st in sub or [] if sk and '#' not in sk]
            if linked:
                cases.append((i, label) + linked[-1])
        self.assertGreater(len(cases), 1)
        paths = []
        for _i, _label, _sl, link in cases:
            path = os.path.join(site, link)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            write_text(path, '<!DOCTYPE html>\n<html><head><meta charset="utf-8"><title>t</title></head>'
                             '<body>\n</body></html>\n')
            paths.append(path)
        gen('site', os.path.join(site, 'menu.qdx'), *paths)
        state = ('const a = document.querySelectorAll("applet .gb-bar > li")[arguments[0]];'
                 'const sub = a.querySelector("ul");'
                 'return [a.firstElementChild.getAttribute("aria-current"), a.classList.contains("gb-c"),'
                 ' Array.from(sub.querySelectorAll(":scope > li > a"), e => [e.textContent.trim(),'
                 ' e.getAttribute("aria-current")]).filter(p => p[1]),'
                 ' sub.querySelectorAll("[role=menuitem]").length,'
                 ' Array.from(document.querySelectorAll("applet .gb-bar > li"), l => l.classList.contains("gb-c"))'
                 '  .filter(Boolean).length]')
        for n, ((i, label, sub_label, link), path) in enumerate(zip(cases, paths)):
            for width in (None, 360):
                with self.subTest(template=template, page=link, phone=width):
                    if width:
                        phone(width)
                        open_small(path)
                    else:
                        desktop()
                        open_page(path)
                    cur, look, marked, made, clicked = driver.execute_script(state, i)
                    self.assertEqual(cur, 'true', label)
                    self.assertTrue(look, label)
                    self.assertEqual(marked, [[sub_label, 'page']])
                    self.assertEqual(made, 0)   # the sub menu is not made yet
                    self.assertEqual(clicked, 1)
                    if width and is_small():
                        click('applet .gb-tog')
                        click('applet .gb-bar > li:nth-child(%d) > .gb-disc' % (i + 1))
                        extra = ['--width', width, '--open', i]
                    elif width:
                        extra = ['--width', width]
                    else:
                        extra = []
                    out = os.path.join(site, 'current-%d-%s.png' % (n, width))
                    gen('png', os.path.join(site, 'menu.qdx'), out, '--current', path, *extra)
                    with open(out, 'rb') as f:
                        expected = pngdiff.read_png(f.read())
                    ratio = pngdiff.match_ratio(screenshot(), expected, TOLERANCE)
                    print('you are here, template %d, %s, phone %s, small %s: %.4f of the pixels match'
                          % (template, link, width, bool(width) and is_small(), ratio))
                    self.assertGreaterEqual(ratio, MIN_MATCH)


class Fonts(unittest.TestCase):
    """The page takes, for each font name, the first family of the script's
    table that is installed: the one the pictures take too."""

    def test_first_installed_family(self):
        page = save_template(0, 'fonts')
        table = re.search(r'const FONT_FAMILIES = \{(.*?)\};', read_text(os.path.join(os.path.dirname(page), 'glidebar.js')), re.S).group(1)
        listed = subprocess.run(['fc-list', ':', 'family'], check=True, stdout=subprocess.PIPE).stdout.decode()
        installed = {name.strip() for line in listed.splitlines() for name in line.split(',')}
        text = read_text(page)
        for code in 'thc':
            with self.subTest(font=code):
                families = re.findall(r"'([^']*)'", re.search(r'%s: \{ families: \[([^\]]*)\]' % code, table).group(1))
                wanted = next((f for f in families if f in installed), None)
                if wanted is None:
                    self.skipTest('none of the families of %s is installed' % code)
                write_text(page, re.sub(r'(name="MIStyle1" value="[^,]*,[^,]*,[^,]*,)\w', r'\g<1>' + code, text))
                open_page(page)
                driver.execute_cdp_cmd('DOM.enable', {})
                driver.execute_cdp_cmd('CSS.enable', {})
                root = driver.execute_cdp_cmd('DOM.getDocument', {})['root']['nodeId']
                node = driver.execute_cdp_cmd('DOM.querySelector', {
                    'nodeId': root, 'selector': '[role=menubar] > li > a'})['nodeId']
                fonts = driver.execute_cdp_cmd('CSS.getPlatformFontsForNode', {'nodeId': node})['fonts']
                self.assertEqual([f['familyName'] for f in fonts], [wanted])


class ClassicPage(unittest.TestCase):
    """With the choice off the page is the classic one, byte for byte."""

    def test_classic_bytes(self):
        for n in range(template_count()):
            with self.subTest(template=n):
                page = save_template(n)
                qdx = page[:-4] + '.qdx'
                old = os.path.join(folder('old%d' % n), 'old.qdx')
                text = read_text(qdx)
                self.assertIn('m_ModernPage=1', text)
                write_text(old, re.sub(r'm_ModernPage=1\r?\n', '', text))
                classic = gen('html', old)
                self.assertEqual(gen('html', '--classic', qdx), classic)
                modern = read_text(page).encode('utf-8')
                self.assertEqual(gen('html', '--modern', old), modern)
                # The modern page is the classic one plus the doctype, the
                # language, the charset and viewport lines, the list, the
                # script line and the params of today's look, which only the
                # script reads.
                stripped = re.sub(rb'\t<(ul|nav) class="glidebar-links".*?</\1>\r\n', b'', modern, flags=re.S)
                stripped = re.sub(rb'\t<param name="(?:MMLook|SMLook|MILook[123]|SILook[123])" value="[^"]*">\r\n',
                                  b'', stripped)
                stripped = stripped.replace(b'<script src="glidebar.js"></script>\r\n', b'')
                head = re.match(rb'<!DOCTYPE html>\r\n<html lang="[A-Za-z0-9-]+">\r\n<meta charset="utf-8">\r\n'
                                rb'<meta name="viewport" content="width=device-width, initial-scale=1">\r\n<head>',
                                stripped)
                self.assertTrue(head, stripped[:300])
                stripped = b'<html>\r\n' + stripped[head.end() - len(b'<head>'):]
                self.assertEqual(stripped, classic)
                self.assertNotIn(b'glidebar', classic)
                self.assertNotRegex(classic, rb'<param name="(?:MM|SM|MI|SI)Look')



# What each applet of the open page shows: 'menu' when the drawn menu has
# every main item inside the applet's box, 'list' when every link of the
# fallback list is on show, else 'blank'.
SHOWN = """
return Array.from(document.querySelectorAll('applet'), (applet) => {
  const box = applet.getBoundingClientRect();
  const seen = (r) => r.width >= 1 && r.height >= 1;
  const bar = applet.querySelector('[role=menubar]');
  if (bar) {
    const items = Array.from(bar.querySelectorAll(':scope > li'), (li) => li.getBoundingClientRect());
    const ok = seen(box) && items.length > 0 && items.every((r) => seen(r) && r.left >= box.left - 0.5 &&
      r.top >= box.top - 0.5 && r.right <= box.right + 0.5 && r.bottom <= box.bottom + 0.5);
    return ok ? 'menu' : 'blank';
  }
  const links = Array.from(applet.querySelectorAll('.glidebar-links a'));
  return links.length > 0 && links.every((a) => seen(a.getBoundingClientRect())) ? 'list' : 'blank';
});
"""


def applet_block(page):
    text = read_text(page)
    return re.search(r'<applet .*?</applet>\r\n', text, re.S).group(0)


def many_applets_page(name, blocks):
    """One page holding each applet block in a box of its own, and the script once."""
    path = os.path.join(folder(name), 'page.htm')
    shutil.copy(os.path.join(os.path.dirname(save_template(0)), 'glidebar.js'), os.path.dirname(path))
    write_text(path, '<!DOCTYPE html>\n<html><head><title>t</title></head><body>\n' +
               ''.join('<div id="case%d">%s</div>\n' % (i, b) for i, b in enumerate(blocks)) +
               '<script src="glidebar.js"></script>\n</body></html>\n')
    return path


def set_param(block, name, value):
    if value is None:
        return re.sub(r'\t<param name="%s" value="[^"]*">\r\n' % name, '', block)
    return re.sub(r'(<param name="%s" value=")[^"]*' % name, lambda m: m.group(1) + value, block)


def set_field(block, name, k, value):
    old = re.search(r'<param name="%s" value="([^"]*)"' % name, block).group(1).split(',')
    old[k] = value
    return set_param(block, name, ','.join(old))


def set_size(block, attr, value):
    if value is None:
        return re.sub(r' %s="[^"]*"' % attr, '', block, count=1)
    return re.sub(r'( %s=")[^"]*' % attr, lambda m: m.group(1) + value, block, count=1)


def mutate(block, rng):
    """One random edit of one param (or of the applet's size), as a hand edit might make."""
    names = re.findall(r'<param name="([^"]*)"', block)
    values = ['', '0', '-1', 'x', '1e3', '99999999999', '-2147483648', '2147483647', ',,,,,,,', 'ffffff',
              'javascript:window.__ran=1', '1,0,', '0,0', '%', '\u00e9']
    kind = rng.randrange(6)
    if kind == 0:
        return set_size(block, rng.choice(['width', 'height']), rng.choice(values[:8] + [None]))
    name = rng.choice(names)
    if kind == 1:
        return set_param(block, name, rng.choice(values + [None]))
    if kind == 2:
        old = re.search(r'<param name="%s" value="([^"]*)"' % re.escape(name), block).group(1).split(',')
        old[rng.randrange(len(old))] = rng.choice(values)
        return set_param(block, re.escape(name), ','.join(old))
    if kind == 3:  # a second line of the same name before the first
        return block.replace('\t<param name="%s"' % name, '\t<param name="%s" value="%s">\r\n\t<param name="%s"'
                             % (name, rng.choice(values), name), 1)
    if kind == 4:
        return block.replace('<param name="%s"' % name, '<param name="%s"' % rng.choice([name.lower(), name.upper()]), 1)
    # an item's link that would run code
    return re.sub(r'(<param name="I0-\d+" value="[^,]*,[^,]*,[^,]*,)[^"]*', r'\g<1>javascript:window.__ran=1', block, count=1)


class HandEdited(unittest.TestCase):
    """Pages their owners edited by hand: every applet shows the drawn menu or
    its whole link list, never neither, never runs a link's code, and counts
    far beyond what a menu holds load at once."""

    def check_page(self, page, cases):
        driver.get('file://' + page)
        shown = driver.execute_script(SHOWN)
        for case, what in zip(cases, shown):
            with self.subTest(case=case):
                self.assertIn(what, ('menu', 'list'))
        # Activating an item or link that would run code runs nothing (the
        # others would leave the page, so they are left alone).
        clicked = driver.execute_script(
            'let n = 0;'
            'for (const a of document.querySelectorAll("applet a")) {'
            '  const href = (a.getAttribute("href") || "").replace(/\\s/g, "");'
            '  if (href && !/script:/i.test(href)) continue;'
            '  a.removeAttribute("target"); a.click(); ++n;'
            '}'
            'return n;')
        driver.execute_async_script('setTimeout(arguments[0], 50)')
        self.assertIsNone(driver.execute_script('return window.__ran'), '%d clicked' % clicked)
        return dict(zip(cases, shown))

    def test_named_edits(self):
        page = save_template(0, 'edits')
        block = applet_block(page)
        table = [
            ('Misc 1,0,', set_param(block, 'Misc', '1,0,')),
            ('Misc 1,', set_param(block, 'Misc', '1,')),
            ('Misc 1,x,', set_param(block, 'Misc', '1,x,')),
            ('second Misc first', block.replace('\t<param name="ApBKImg"', '\t<param name="Misc" value="1,0,">\r\n\t<param name="ApBKImg"')),
            ('names in lower case', re.sub(r'<param name="([^"]*)"', lambda m: '<param name="%s"' % m.group(1).lower(), block)),
            ('no params', re.sub(r'\t<param [^>]*>\r\n', '', block)),
            ('MMStyle missing', set_param(block, 'MMStyle', None)),
            ('MMStyle empty', set_param(block, 'MMStyle', '')),
        ]
        for field, what in ((3, 'width'), (4, 'height')):
            for value in ('0', '-1', 'x'):
                table.append(('item %s %s' % (what, value), set_field(block, 'MMStyle', field, value)))
        for attr in ('width', 'height'):
            for value in (None, '0', '-1', '1e3'):
                table.append(('applet %s %s' % (attr, value), set_size(block, attr, value)))
        for value in ('5000,5000', '-5000,0', '0,-400'):
            table.append(('ApCo %s' % value, set_param(block, 'ApCo', value)))
        table.append(('link runs code', set_param(block, 'I0-1', 'Products,,_self,javascript:window.__ran=1')))
        table.append(('link runs code, spaced', set_param(block, 'I0-0', 'Home,,, JaVa\tScRiPt:window.__ran=1')))
        shown = self.check_page(many_applets_page('edits-page', [b for _, b in table]), [c for c, _ in table])
        # Edits that leave a usable menu still draw it.
        for case in ('names in lower case', 'second Misc first', 'link runs code'):
            self.assertEqual(shown[case], 'menu' if case != 'second Misc first' else 'list', case)

    def test_project_sizes(self):
        blocks, cases = [], []
        for key in ('m_mmWidth', 'm_mmHeight', 'm_smWidth'):
            for value in ('-1', '0', ''):
                page = crafted_page('size-%s%s' % (key, value), {key: value})
                blocks.append(applet_block(page))
                cases.append('%s=%s' % (key, value))
        self.check_page(many_applets_page('sizes-page', blocks), cases)

    def test_random_edits(self):
        import random
        rng = random.Random(21)
        block = applet_block(save_template(0, 'random'))
        for batch in range(10):
            blocks = [mutate(block, rng) for _ in range(50)]
            self.check_page(many_applets_page('random%d' % batch, blocks),
                            ['batch %d case %d' % (batch, i) for i in range(50)])

    def test_bounded_counts(self):
        block = applet_block(save_template(0, 'counts'))
        driver.execute_cdp_cmd('Performance.enable', {})
        try:
            for misc in ('1,100000,', '1,2147483647,', '201,' + '2147483647,' * 201):
                with self.subTest(misc=misc[:20]):
                    page = many_applets_page('count', [set_param(block, 'Misc', misc)])
                    before = self.script_seconds()
                    driver.get('file://' + page)
                    self.assertEqual(driver.execute_script(SHOWN), ['menu'])
                    # Only the items the page has: five main items, no sub menu.
                    self.assertEqual(len(mains()), 5)
                    self.assertLess(self.script_seconds() - before, 1.0)
        finally:
            driver.execute_cdp_cmd('Performance.disable', {})

    @staticmethod
    def script_seconds():
        metrics = driver.execute_cdp_cmd('Performance.getMetrics', {})['metrics']
        return next(m['value'] for m in metrics if m['name'] == 'ScriptDuration')


def contrast(a, b):
    def lum(c):
        c = [v / 255 for v in c]
        c = [v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4 for v in c]
        return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2]
    la, lb = lum(a), lum(b)
    return (max(la, lb) + 0.05) / (min(la, lb) + 0.05)


class FocusAndPointer(unittest.TestCase):
    """With the keys in a sub menu the pointer changes looks but never closes
    that sub menu; Tab and Shift+Tab leave the menu from anywhere in it."""

    def walk_into_sub(self, page, tabs=1):
        p = params(page)
        across = p['MMStyle'].split(',')[2] == 'h'
        sub_next = Keys.ARROW_RIGHT if p['SMStyle'].split(',')[2] == 'h' else Keys.ARROW_DOWN
        open_page(page)
        ActionChains(driver).send_keys(Keys.TAB * tabs).send_keys(Keys.ARROW_RIGHT if across else Keys.ARROW_DOWN) \
            .send_keys(Keys.ARROW_DOWN if across else Keys.ARROW_RIGHT).send_keys(sub_next).perform()
        owner = mains()[1]
        self.assertEqual(active(), subs(owner)[1])
        return owner, sub_next

    def test_pointer_leaves_the_keys_alone(self):
        states = PointerStates.colours
        for n in (0, 2):
            page = PointerStates.states_page(n)
            for case in ('over another main item', 'off the menu', 'over another sub menu\'s owner and back'):
                with self.subTest(template=n, case=case):
                    owner, sub_next = self.walk_into_sub(page)
                    chain = ActionChains(driver).move_to_element(mains()[3 if n == 0 else 2])
                    if case == 'off the menu':
                        chain.move_by_offset(0, 600)
                    elif case.endswith('and back'):
                        chain.move_to_element(mains()[0]).move_by_offset(0, 600)
                    chain.perform()
                    self.assertEqual(owner.get_attribute('aria-expanded'), 'true')
                    self.assertEqual(active(), subs(owner)[1])
                    self.assertTrue(subs(owner)[1].is_displayed())
                    # The owner keeps its Mouse Move look while the keys are in its sub menu.
                    self.assertTrue(near(PointerStates.item_colour(owner), colour(states['MIStyle2'])))
                    ActionChains(driver).send_keys(sub_next).perform()
                    self.assertEqual(active(), subs(owner)[2])

    def test_tab_and_shift_tab_leave(self):
        page = save_template(0, 'tabbing')
        text = read_text(page)
        # Something to tab to on either side of the menu.
        write_text(page, text.replace('<p align=', '<a id="before" href="#b">before</a><p align=', 1)
                   .replace('</p>\r\n</html>', '</p>\r\n<a id="after" href="#a">after</a></html>'))
        def tab(backwards):
            chain = ActionChains(driver)
            if backwards:
                chain.key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()
            else:
                chain.send_keys(Keys.TAB).perform()

        for backwards, where in ((False, 'after'), (True, 'before')):
            with self.subTest(key=where):
                owner, _ = self.walk_into_sub(page, tabs=2)
                tab(backwards)
                self.assertEqual(active().get_attribute('id'), where)
                self.assertEqual(owner.get_attribute('aria-expanded'), 'false')
                # Back into the menu: one Tab stop, on the main item last reached.
                tab(not backwards)
                self.assertEqual(active(), owner)


class FocusRing(unittest.TestCase):
    """The ring of the focused item: two colours, at least 2 px, at least 3:1
    against the bands on either side of it, on every template; an outline in
    forced-colours mode."""

    def test_ring_contrast(self):
        for n in range(template_count()):
            with self.subTest(template=n):
                page = save_template(n)
                t = max(0, int(params(page)['MMStyle'].split(',')[6]))
                open_page(page)
                ActionChains(driver).send_keys(Keys.TAB).perform()
                x, y, w, h = box(mains()[0])
                t = min(t, min(w, h) // 2)
                shot = screenshot()
                ratios = []
                # Along the top and bottom: the ring's middle band against the
                # bands inside and outside it.
                for px in range(x + t + 6, x + w - t - 6):
                    for ring, out, inner in ((y + t + 2, y + t + 1, y + t + 4), (y + h - t - 3, y + h - t - 2, y + h - t - 5)):
                        c = pngdiff.pixel(shot, px, ring)
                        ratios.append(min(contrast(c, pngdiff.pixel(shot, px, out)),
                                          contrast(c, pngdiff.pixel(shot, px, inner))))
                ratios.sort()
                median = ratios[len(ratios) // 2]
                print('template %d: focus ring contrast %.2f (median along its edges)' % (n, median))
                self.assertGreaterEqual(median, 3.0)

    def test_forced_colours(self):
        page = save_template(0, 'forced')
        driver.execute_cdp_cmd('Emulation.setEmulatedMedia', {'features': [{'name': 'forced-colors', 'value': 'active'}]})
        try:
            open_page(page)
            ActionChains(driver).send_keys(Keys.TAB).perform()
            style = driver.execute_script('const s = getComputedStyle(arguments[0].closest("li"));'
                                          'return [s.outlineStyle, parseFloat(s.outlineWidth)];', mains()[0])
            self.assertEqual(style[0], 'solid')
            self.assertGreaterEqual(style[1], 2)
        finally:
            driver.execute_cdp_cmd('Emulation.setEmulatedMedia', {'features': []})


def run_axe():
    """axe-core's violations inside the applet: every WCAG 2.2 A/AA rule
    (text contrast and target size among them) and its best practices."""
    path = os.environ.get('AXE_JS', '')
    if not os.path.isfile(path):
        raise AssertionError('AXE_JS does not name axe.min.js (./test installs it from npm)')
    if not driver.execute_script('return !!window.axe'):
        with open(path, encoding='utf-8') as f:
            driver.execute_script(f.read())
    return driver.execute_async_script(
        'const done = arguments[0];'
        'axe.run(document.querySelector("applet"), {runOnly: ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa",'
        ' "wcag22aa", "best-practice"]})'
        '.then(r => done(r.violations.map(v => v.id + ": " + v.nodes.map(n => n.target.join(" ")).join(", "))),'
        ' e => done(["axe failed: " + e]));')


def ax_nodes():
    """Chromium's accessibility tree: (role, name) of every node not ignored."""
    nodes = driver.execute_cdp_cmd('Accessibility.getFullAXTree', {})['nodes']
    return [(n.get('role', {}).get('value'), n.get('name', {}).get('value', ''))
            for n in nodes if not n.get('ignored')]


class Accessibility(unittest.TestCase):
    """The menu as a screen reader meets it: a navigation landmark named after
    the page, named items (an image without a label named after its page),
    and no axe-core violation, closed and with each sub menu open."""

    def test_axe_every_template(self):
        for n in range(template_count()):
            page = save_template(n)
            owners = [i for i, it in enumerate(menu_tree(params(page))) if it[3]]
            open_page(page)
            for k in [None] + owners:
                with self.subTest(template=n, open=k):
                    if k is not None:
                        close_menus()
                        tap(mains()[k])
                    self.assertEqual(run_axe(), [])

    def test_axe_small_screen(self):
        """The same on a phone: the small-screen form closed, opened, and with
        each section shown."""
        phone(360)
        try:
            for n in range(template_count()):
                page = save_template(n)
                open_small(page)
                if not is_small():
                    continue
                owners = [i for i, it in enumerate(menu_tree(params(page))) if it[3]]
                for k in ['closed', None] + owners:
                    with self.subTest(template=n, open=k):
                        if k is None:
                            click('applet .gb-tog')
                        elif k != 'closed':
                            click('applet .gb-bar > li > .gb-disc', owners.index(k))
                        self.assertEqual(run_axe(), [])
        finally:
            desktop()

    def test_landmark_and_names(self):
        images = folder('a11y-images')
        pngdiff.write_png(os.path.join(images, 'icon.png'), 14, 10, lambda x, y: (200, 40, 20))
        icon = os.path.join(images, 'icon.png')
        items = ['I0-0=Home,,,index.html', 'I0-1=,%s,,about-us.html' % icon, 'I0-2=,%s,,products/index.htm' % icon,
                 'I1-0=Sub,,,', 'I1-1=,%s,,team_members.html' % icon, 'I2-0=a,,,']
        table = [  # (title, expected landmark name)
            ('Tea & Caf\u00e9 "Menu"', 'Tea & Caf\u00e9 "Menu"'),
            ('Untitled', 'Site menu'),
            ('', 'Site menu'),
        ]
        for title, landmark in table:
            with self.subTest(title=title):
                page = crafted_page('names-%d' % len(title), {'m_HTMLTitle': title, 'Relation': '3,3,2,1,1-1,2-2,'},
                                    items=items)
                open_page(page)
                tree = ax_nodes()
                self.assertIn(('navigation', landmark), tree)
                self.assertIn(('menubar', landmark), tree)
                self.assertEqual([a.get_attribute('textContent') for a in mains()][:1], ['Home'])
                named = [name for role, name in tree if role == 'menuitem']
                self.assertEqual(named[:3], ['Home', 'About us', 'Products'])
                tap(mains()[1])
                named = [name for role, name in ax_nodes() if role == 'menuitem']
                self.assertIn('Team members', named)
                self.assertEqual(run_axe(), [])
        # Without scripts the list's links carry the same names.
        driver.execute_cdp_cmd('Emulation.setScriptExecutionDisabled', {'value': True})
        try:
            driver.get('file://' + page)
            texts = driver.execute_script(
                'return Array.from(document.querySelectorAll(".glidebar-links > ul > li > :first-child"),'
                ' a => a.textContent)')
            self.assertEqual(texts[:3], ['Home', 'About us', 'Products'])
        finally:
            driver.execute_cdp_cmd('Emulation.setScriptExecutionDisabled', {'value': False})

# The phone's cases and the accessibility audits make a ctest entry of their
# own (VANTREL_BROWSER_PART=phone), the other cases another (=desktop), so
# that each keeps within its time limit; without the variable all run.
PHONE_PART = ('SmallScreen', 'Accessibility')


def load_tests(loader, tests, pattern):
    part = os.environ.get('VANTREL_BROWSER_PART', '')
    if not part:
        return tests
    chosen = unittest.TestSuite()
    for suite in tests:
        for test in suite:
            if (type(test).__name__ in PHONE_PART) == (part == 'phone'):
                chosen.addTest(test)
    return chosen


if __name__ == '__main__':
    unittest.main(verbosity=2)
